#pragma once

#include "components/visual/CxImage.h"
#include "projectfile/ElementClassTable.h"

#include <tinyxml.h>

#include <optional>
#include <string>
#include <unordered_map>

class APStyleProject;
class CCanvasSnapShotItem;
class NodeProperties;
class PicSnapshotItem;
class StringSnapShotItem;

// Writes resource groups and their element trees into the nodes of the retained project
// document, in place: a child's node is found by its identifier among the group node's
// "element" children, nodes of deleted children are removed, new children get new nodes at
// the end, and everything the writer does not own stays where it is.
class ElementWriter
{
public:
    // `project` and `classes` must outlive the writer. With `sizePicturesFromFiles` a
    // picture also takes its width and height from its file (unattended builds).
    ElementWriter(APStyleProject& project, const ElementClassTable& classes,
                  bool sizePicturesFromFiles);

    // Writes `group`'s record, its "editable" flag and its children into the node whose
    // properties are `properties`.
    void WriteGroup(NodeProperties& properties, CCanvasSnapShotItem& group);

private:
    void WritePicture(NodeProperties& properties, PicSnapshotItem& picture);
    void WriteString(NodeProperties& properties, StringSnapShotItem& text);
    // Replaces the nested "element" nodes of a picture by a "layer" element of its frames.
    void WriteLayer(TiXmlElement& node, const PicSnapshotItem& picture);
    // A shown picture's visible byte tells the packer its format: 0x10, plus 1 with alpha.
    void TakePictureFormat(PicSnapshotItem& picture);
    // The header of a picture file, read once per writer.
    const std::optional<CxImage::Info>& PictureInfo(const std::string& storedPath);

    APStyleProject& m_project;
    const ElementClassTable& m_classes;
    bool m_sizePicturesFromFiles;
    std::unordered_map<std::string, std::optional<CxImage::Info>> m_pictureInfo;
};
