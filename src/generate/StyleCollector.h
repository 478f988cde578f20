#pragma once

#include "generate/CharacterSetMap.h"

#include <string>
#include <vector>

class APStyleProject;
class PicSnapshotItem;
class Snapshot;
class SnapShotItem;
class StringSnapShotItem;

namespace generate {

// The checking walk of style generation over a project's live scenes. It checks that scene
// names are unique among the scenes and member names within their group (letter case
// ignored, and NameHash too), and that every frame's picture and every string's resource is
// registered. On the way it binds frames and strings to their registry records, copies the
// frames' alpha formats into the picture registry, appends to the project's used-picture and
// used-string lists, and collects the style header's names and the characters each font
// height needs.
class StyleCollector
{
public:
    StyleCollector(APStyleProject& project, bool showMessages);

    // Walks every live scene. Returns false at the first problem, after showing its message
    // when messages are on; error() then tells what it was. What the walk reached is kept.
    bool collect();

    // The scene names, each followed by the names of its groups below the top level and of
    // its pictures, regions and strings, depth first, in walking order.
    std::vector<std::string>& names() { return m_names; }
    CharacterSetMap& characterSets() { return m_characterSets; }
    const std::string& error() const { return m_error; }

private:
    bool collectScene(Snapshot& scene);
    bool collectGroup(const SnapShotItem& group, Snapshot& scene);
    // Checks a live member by its kind; members of other kinds pass unchecked.
    bool collectMember(SnapShotItem& member, Snapshot& scene);
    bool collectPicture(PicSnapshotItem& picture, const Snapshot& scene);
    bool collectString(StringSnapShotItem& text, Snapshot& scene);
    // Records `message` as the error, shows it when messages are on; returns false.
    bool fail(const std::string& message);

    APStyleProject& m_project;
    bool m_showMessages;
    std::vector<std::string> m_names;
    CharacterSetMap m_characterSets;
    // Registry indexes already in the used lists, so that appending stays O(1).
    std::vector<bool> m_pictureUsed;
    std::vector<bool> m_stringUsed;
    std::string m_error;
};

} // namespace generate
