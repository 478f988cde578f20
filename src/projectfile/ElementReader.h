#pragma once

#include "projectfile/ElementClassTable.h"

#include <tinyxml.h>

#include <memory>
#include <string>

class APStyleProject;
class CCanvasSnapShotItem;
class PicSnapshotItem;
class Snapshot;
class SnapShotItem;
class StringSnapShotItem;

// Builds scenes and their element trees from the nodes of a project document. The older
// spellings are brought up to date in the document as they are met (identifiers and names
// as attributes, "widget" tags, "type" attributes, "forground", missing "visible" and key
// properties). Failures are shown to the user; the project's identifier counter is raised
// to every identifier read and its modified flag set where the file had to be corrected.
class ElementReader
{
public:
    // `project` and `classes` must outlive the reader.
    ElementReader(APStyleProject& project, const ElementClassTable& classes);

    // Returns the scene of a "scene" node with its elements, or null (after a message)
    // when the scene or one of its top-level groups has no identifier. The caller owns it.
    std::unique_ptr<Snapshot> ReadScene(TiXmlElement& node);

    // The message of the last failure.
    const std::string& Error() const { return m_error; }

private:
    // Returns the group of `node` with its children, or null when it has no identifier.
    // `parent` (null at the top of a scene) becomes the group's parent.
    std::unique_ptr<CCanvasSnapShotItem> ReadGroup(TiXmlElement& node, CCanvasSnapShotItem* parent);
    // Returns the child element of `node` by its class, or null when it has no class or no
    // identifier.
    std::unique_ptr<SnapShotItem> ReadChild(TiXmlElement& node, CCanvasSnapShotItem& parent);
    std::unique_ptr<PicSnapshotItem> ReadPicture(TiXmlElement& node, int single,
                                                 CCanvasSnapShotItem& parent);
    std::unique_ptr<StringSnapShotItem> ReadString(TiXmlElement& node, CCanvasSnapShotItem& parent);
    // Reads the frames of a picture node into `picture`.
    void ReadFrames(TiXmlElement& node, PicSnapshotItem& picture);
    // Shows a format error and keeps its text.
    void Fail(const char* text);

    APStyleProject& m_project;
    const ElementClassTable& m_classes;
    std::string m_error;
};
