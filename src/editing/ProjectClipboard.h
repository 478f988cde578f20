#pragma once

class APStyleProject;
class Snapshot;
class SnapShotItem;

// The copy buffer: the copied element or scene itself (not a copy), so that a paste
// takes its state at paste time. Nothing owned.
struct ProjectClipboard
{
    enum : int
    {
        kEmpty = 0,
        kScene = 5 // element kinds use their kind codes 1, 2 and 3
    };

    APStyleProject* source = nullptr;
    int kind = kEmpty;
    SnapShotItem* element = nullptr;
    Snapshot* scene = nullptr;

    bool Empty() const { return kind == kEmpty; }
};
