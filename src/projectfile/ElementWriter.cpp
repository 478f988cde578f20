#include "projectfile/ElementWriter.h"

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "model/TextCut.h"
#include "projectfile/FieldRecord.h"
#include "projectfile/NodeProperties.h"
#include "projectfile/NodesById.h"
#include "projectfile/ParkedNodes.h"
#include "projectfile/ProjectXml.h"

#include <cstring>
#include <memory>
#include <vector>

using namespace projectfile;

namespace {

constexpr std::uint8_t kShownPicture = 0x10;
constexpr std::uint8_t kShownPictureWithAlpha = 0x11;

// The widget type a kind is written with, or 0 for a kind the file has no class for.
int WidgetTypeOf(const SnapShotItem& item)
{
    if (dynamic_cast<const CCanvasSnapShotItem*>(&item)) {
        return ElementClassTable::kResourceGroup;
    }
    if (const auto* picture = dynamic_cast<const PicSnapshotItem*>(&item)) {
        return picture->IsSingle() ? ElementClassTable::kPicture
                                   : ElementClassTable::kPictureRegion;
    }
    if (dynamic_cast<const StringSnapShotItem*>(&item)) {
        return ElementClassTable::kString;
    }
    return 0;
}

bool HasAttributes(const TiXmlElement& element, const char* first, const char* second)
{
    const TiXmlAttribute* a = element.FirstAttribute();
    if (!a || a->NameTStr() != first) {
        return false;
    }
    const TiXmlAttribute* b = a->Next();
    return second ? b && b->NameTStr() == second && !b->Next() : !b;
}

// When the picture node holds exactly the layer element a fresh one would be, with the
// same frame count, only its paths are set: the printed result is the same as replacing it,
// without rebuilding thousands of nodes on every save.
bool UpdateLayerInPlace(TiXmlElement& node, const std::vector<PicFrame>& frames)
{
    TiXmlElement* layer = node.FirstChildElement("element");
    if (!layer || layer->NextSiblingElement("element") || node.FirstChildElement("layer") ||
        !HasAttributes(*layer, "class", nullptr) ||
        std::strcmp(layer->Attribute("class"), "layer") != 0) {
        return false;
    }
    std::vector<TiXmlElement*> properties;
    for (TiXmlNode* child = layer->FirstChild(); child; child = child->NextSibling()) {
        TiXmlElement* property = child->ToElement();
        if (!property || property->ValueTStr() != "property" || property->FirstChild() ||
            !HasAttributes(*property, "name", "value") ||
            property->Attribute("name") != std::to_string(properties.size())) {
            return false;
        }
        properties.push_back(property);
    }
    if (properties.size() != frames.size()) {
        return false;
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        properties[i]->SetAttribute("value", frames[i].path);
    }
    return true;
}

} // namespace

ElementWriter::ElementWriter(APStyleProject& project, const ElementClassTable& classes,
                             bool sizePicturesFromFiles)
    : m_project(project), m_classes(classes), m_sizePicturesFromFiles(sizePicturesFromFiles)
{
}

void ElementWriter::WriteGroup(NodeProperties& properties, CCanvasSnapShotItem& group)
{
    TiXmlElement& node = properties.Node();
    WriteFields(properties, GroupFields(), group.Group());
    properties.SetAfter("editable", Decimal(group.EditableFlag() ? 1 : 0),
                        properties.Find("visible"));

    NodesById nodes(node, "element");
    for (const auto& childPtr : group.ChildList()) {
        if (!childPtr->IsDeleted()) {
            nodes.CountLive(childPtr->IdCopy());
        }
    }
    TiXmlElement* previous = nullptr;
    for (const auto& childPtr : group.ChildList()) {
        SnapShotItem& child = *childPtr;
        if (child.IsDeleted()) {
            if (TiXmlElement* deletedNode = nodes.TakeForDeleted(child.IdCopy())) {
                ParkNode(m_project, &child, node, deletedNode);
            }
            continue;
        }
        TiXmlElement* childNode = nodes.Take(child.IdCopy());
        const int type = WidgetTypeOf(child);
        if (type == 0) {
            continue;
        }
        childNode = NodeToWrite(m_project, &child, node, childNode, previous, "element");
        previous = childNode;
        childNode->SetAttribute("class", m_classes.className(type));
        NodeProperties childProperties(*childNode);
        if (type == ElementClassTable::kResourceGroup) {
            WriteGroup(childProperties, static_cast<CCanvasSnapShotItem&>(child));
        } else if (type == ElementClassTable::kString) {
            WriteString(childProperties, static_cast<StringSnapShotItem&>(child));
        } else {
            WritePicture(childProperties, static_cast<PicSnapshotItem&>(child));
        }
        // Inserted in this order, "name" ends up first.
        childProperties.SetAtFront("id", Decimal(child.IdCopy()));
        childProperties.SetAtFront("name", child.Name());
    }
}

const std::optional<CxImage::Info>& ElementWriter::PictureInfo(const std::string& storedPath)
{
    // Keyed by the stored path: resolving one looks at the disk, and most pictures of a
    // project share a few files.
    auto found = m_pictureInfo.find(storedPath);
    if (found == m_pictureInfo.end()) {
        CxImage::Info info;
        std::optional<CxImage::Info> result;
        if (CxImage::ReadSize(m_project.ResolvePath(storedPath, false), info)) {
            result = info;
        }
        found = m_pictureInfo.emplace(storedPath, result).first;
    }
    return found->second;
}

void ElementWriter::TakePictureFormat(PicSnapshotItem& picture)
{
    const auto& frames = picture.Frames();
    if (frames.empty() || frames.front().path.empty()) {
        return;
    }
    const std::optional<CxImage::Info>& info = PictureInfo(frames.front().path);
    if (!info) {
        return;
    }
    PicItemInfo block = picture.PicInfo();
    // A hidden picture stays hidden: only a shown one carries the format in its byte.
    if (block.visible != 0) {
        block.visible = info->hasAlpha ? kShownPictureWithAlpha : kShownPicture;
    }
    if (m_sizePicturesFromFiles) {
        block.width = static_cast<std::uint16_t>(info->width);
        block.height = static_cast<std::uint16_t>(info->height);
    }
    picture.SetPicInfo(block);
}

void ElementWriter::WritePicture(NodeProperties& properties, PicSnapshotItem& picture)
{
    TakePictureFormat(picture);
    WriteFields(properties, PictureFields(), picture.PicInfo());
    WriteLayer(properties.Node(), picture);
}

void ElementWriter::WriteLayer(TiXmlElement& node, const PicSnapshotItem& picture)
{
    if (UpdateLayerInPlace(node, picture.Frames())) {
        return;
    }
    while (TiXmlElement* nested = node.FirstChildElement("element")) {
        node.RemoveChild(nested);
    }
    // The "layer" children of an older file held the same frames; left beside the new
    // list they would go stale with the first frame edited.
    while (TiXmlElement* older = node.FirstChildElement("layer")) {
        node.RemoveChild(older);
    }
    auto layer = std::make_unique<TiXmlElement>("element");
    layer->SetAttribute("class", "layer");
    const auto& frames = picture.Frames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        layer->InsertEndChild(
            NewProperty(Decimal(static_cast<long long>(i)).c_str(), frames[i].path));
    }
    node.LinkEndChild(layer.release());
}

void ElementWriter::WriteString(NodeProperties& properties, StringSnapShotItem& text)
{
    StringItemInfo info = text.StringInfo();
    const std::string identifier =
        model::CutText(text.TextStore().identifier, StringRecord::kIdentifierMax);
    if (m_project.Strings().Find(identifier) < 0) {
        info.stringId = -1;
        text.SetStringInfo(info);
    }
    WriteFields(properties, StringFields(), info);
    properties.Set("strid", identifier);
    properties.Set("scroll", Hex(info.textScroll));
}
