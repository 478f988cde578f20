#pragma once

#include "generate/StyleRecords.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class APStyleProject;
class CCanvasSnapShotItem;
class PicSnapshotItem;
class Snapshot;
class StringSnapShotItem;
struct PicFrame;

namespace generate {

// Fills the style file content from the live scenes and elements of a project whose
// used-picture and used-string lists StyleCollector has just rebuilt. Picture and string
// identifiers are base + 1 + the position in those lists. Pictures take the size of their
// file (read from its header only), which is written back into the element first.
class StyleContentBuilder
{
public:
    // With `resetLayerMap` a new layer map is made of the picture identifiers written (see
    // resetLayers()); otherwise a picture whose path has a layer id is written with it, and
    // a path without one gets one in the project's map.
    StyleContentBuilder(APStyleProject& project, bool resetLayerMap);

    // Returns the content, or nothing with error() set when an identifier does not fit the
    // file's 16 bits or an element refers to a resource the used lists do not hold.
    std::optional<StyleFileContent> build();
    const std::string& error() const { return m_error; }

    // With reset: the layer map made of the identifiers written, and the next layer id (one
    // above the highest of them). The caller installs them once the style file is written.
    const std::map<std::string, std::int32_t>& resetLayers() const { return m_layers; }
    std::int32_t resetNextLayerId() const { return m_nextLayer; }

private:
    StyleScene scene(const Snapshot& scene);
    StyleTopContainer topContainer(CCanvasSnapShotItem& group, const Snapshot& scene);
    std::vector<StyleMember> members(const CCanvasSnapShotItem& group);
    StyleGroupRecord groupRecord(CCanvasSnapShotItem& group);
    StylePictureRecord pictureRecord(PicSnapshotItem& picture);
    StyleStringRecord stringRecord(const StringSnapShotItem& text);

    // The picture registry index of `frame`'s picture, or -1.
    int registryIndex(const PicFrame& frame) const;
    // The identifier written for `frame`, after the layer map rules.
    std::uint16_t pictureId(const PicFrame& frame);
    std::uint16_t stringId(const StringSnapShotItem& text);
    std::int64_t layered(const std::string& path, std::int64_t id);
    // Returns `id` when it fits 16 bits; otherwise records the error (naming the `kind` of
    // resource and its `name`) and returns 0.
    std::uint16_t checked(std::int64_t id, const char* kind, const std::string& name);
    // Gives `picture` the size of its current frame's file, when that file can be read.
    void takeFileSize(PicSnapshotItem& picture);
    // The width and height of the picture at a stored path, read once per path.
    const std::optional<std::pair<int, int>>& fileSize(const std::string& storedPath);

    APStyleProject& m_project;
    bool m_reset;
    std::int64_t m_base;
    // Registry index to position in the used list, -1 when not used.
    std::vector<std::int64_t> m_picturePosition;
    std::vector<std::int64_t> m_stringPosition;
    std::unordered_map<std::string, std::optional<std::pair<int, int>>> m_sizes;
    std::map<std::string, std::int32_t> m_layers;
    std::int32_t m_nextLayer = 0;
    std::string m_error;
};

} // namespace generate
