#pragma once

#include <cstdint>

class APStyleProject;
class Snapshot;
class SnapShotItem;

// What a project-tree node stands for. Owned by the tree, one per node.
struct TreeNodeData
{
    enum Kind : std::uint32_t
    {
        kScene = 0,
        kElement = 2, // picture, picture region or string
        kFrame = 3,
        kGroup = 4,
        kProject = 5
    };

    std::uint32_t kind = kScene;
    APStyleProject* project = nullptr; // kind 5
    Snapshot* scene = nullptr;         // the owner scene (kinds 0, 2, 3, 4)
    SnapShotItem* element = nullptr;   // kinds 2 and 4; the region of a frame
    std::int32_t frameIndex = -1;      // kind 3

    // The object the node stands for: the project, scene or element, or the frame
    // record (valid until the region's frame list changes). Not owned.
    const void* Object() const;
};
