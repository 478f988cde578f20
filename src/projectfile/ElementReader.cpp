#include "projectfile/ElementReader.h"

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/ResourceSection.h"
#include "model/Snapshot.h"
#include "model/StringSnapShotItem.h"
#include "model/TextCut.h"
#include "platform/AsciiCase.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "projectfile/FieldRecord.h"
#include "projectfile/ProjectXml.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace projectfile;

namespace {

const char kFormatError[] = N_("文件格式错误");
const char kSceneIdMissing[] =
    N_("无法读取场景ID！\n场景必须有ID号，而且此ID号在该应用中必须唯一!");
const char kGroupIdMissing[] =
    N_("无法读取容器ID！\n容器必须有ID号，而且此ID号在该应用中必须唯一!");
const char kPictureIdMissing[] =
    N_("无法读取图片控件ID！\n图片控件必须有ID号，而且此ID号在该应用中必须唯一!");
const char kStringIdMissing[] =
    N_("无法读取字符串控件ID！\n字符串控件必须有ID号，而且此ID号在该应用中必须唯一!");

// The value of property `name`, or of an attribute `name` of an older file, which then
// becomes a property in front of the node's children.
std::optional<std::string> TakeProperty(TiXmlElement& node, const char* name)
{
    if (const char* value = PropertyValue(node, name)) {
        return std::string(value);
    }
    const char* attribute = node.Attribute(name);
    if (!attribute) {
        return std::nullopt;
    }
    std::string value = attribute;
    InsertBefore(node, node.FirstChildElement(), NewProperty(name, value));
    node.RemoveAttribute(name);
    return value;
}

// Identifier and name of a scene or element node, "id" taken first so that "name" ends up
// in front. Returns false when the node has no identifier.
bool TakeIdAndName(TiXmlElement& node, std::uint32_t& id, std::string& name)
{
    const std::optional<std::string> idText = TakeProperty(node, "id");
    if (!idText) {
        return false;
    }
    id = static_cast<std::uint32_t>(ParseDecimal(idText->c_str()));
    name = TakeProperty(node, "name").value_or(std::string());
    return true;
}

int CountElements(const TiXmlElement& node)
{
    int count = 0;
    for (const TiXmlElement* e = node.FirstChildElement("element"); e;
         e = e->NextSiblingElement("element")) {
        ++count;
    }
    return count;
}

// An older file's "type" attribute is the class.
void TakeTypeAsClass(TiXmlElement& node)
{
    if (const char* type = node.Attribute("type")) {
        node.SetAttribute("class", std::string(type));
        node.RemoveAttribute("type");
    }
}

// The widget type a generic class name of older files stands for, or 0.
int GenericWidgetType(const std::string& className)
{
    static const std::pair<const char*, int> kGeneric[] = {
        {"container_t", ElementClassTable::kResourceGroup},
        {"picture_t", ElementClassTable::kPicture},
        {"string_t", ElementClassTable::kString},
        {"picture_region_t", ElementClassTable::kPictureRegion},
    };
    for (const auto& [name, type] : kGeneric) {
        if (platform::equalsIgnoreAsciiCase(className, name)) {
            return type;
        }
    }
    return 0;
}

// Locks on the surface: a group is editable only while every group above it is, but each
// group keeps the flag its file gives it, so that a save writes the same flags back.
void ApplyLocks(CCanvasSnapShotItem& group, bool ancestorLocked)
{
    const bool editable = !ancestorLocked && group.EditableFlag() != 0;
    Graph& drawable = group;
    drawable.SetEditable(editable);
    drawable.SetResizeable(editable);
    for (const auto& child : group.ChildList()) {
        if (auto* childGroup = dynamic_cast<CCanvasSnapShotItem*>(child.get())) {
            ApplyLocks(*childGroup, !editable);
        } else {
            child->SetEditable(editable ? 1 : 0, 1);
        }
    }
}

} // namespace

ElementReader::ElementReader(APStyleProject& project, const ElementClassTable& classes)
    : m_project(project), m_classes(classes)
{
}

void ElementReader::Fail(const char* text)
{
    m_error = text;
    platform::interaction().showMessage(text, platform::uiText(kFormatError),
                                        platform::MessageIcon::Error);
}

std::unique_ptr<Snapshot> ElementReader::ReadScene(TiXmlElement& node)
{
    std::uint32_t id = 0;
    std::string name;
    if (!TakeIdAndName(node, id, name)) {
        Fail(platform::uiText(kSceneIdMissing));
        return nullptr;
    }
    m_project.RaiseIdCounter(static_cast<std::int32_t>(id));
    auto scene = std::make_unique<Snapshot>();
    scene->SetId(id);
    scene->SetName(name);
    SceneRecord& record = scene->Record();
    const char* direction = PropertyValue(node, "direction");
    record.direction = static_cast<std::uint8_t>(direction ? ParseDecimal(direction) : 0);

    RenameWidgetChildren(node);
    record.elementCounter = static_cast<std::uint16_t>(CountElements(node));
    record.key0 = 0;
    if (TiXmlElement* key0 = FindProperty(node, "key0")) {
        node.RemoveChild(key0);
    }
    for (int n = 1; n <= 16; ++n) {
        const std::string keyName = "key" + std::to_string(n);
        const char* value = PropertyValue(node, keyName.c_str());
        std::int32_t key = 0;
        if (!FindProperty(node, keyName.c_str())) {
            InsertBefore(node, node.FirstChildElement("element"),
                         NewProperty(keyName.c_str(), "0"));
        } else if (value) {
            key = ParseDecimal(value);
        }
        // Keys name 0 (none) to 16; anything else maps no key.
        record.keys[n - 1] = static_cast<std::uint8_t>(key >= 0 && key <= 16 ? key : 0);
    }

    for (TiXmlElement* child = node.FirstChildElement("element"); child;
         child = child->NextSiblingElement("element")) {
        std::unique_ptr<CCanvasSnapShotItem> group = ReadGroup(*child, nullptr);
        if (!group) {
            return nullptr;
        }
        ApplyLocks(*group, false);
        scene->AppendElement(std::move(group));
    }
    return scene;
}

std::unique_ptr<CCanvasSnapShotItem> ElementReader::ReadGroup(TiXmlElement& node,
                                                              CCanvasSnapShotItem* parent)
{
    TakeTypeAsClass(node);
    std::uint32_t id = 0;
    std::string name;
    if (!TakeIdAndName(node, id, name)) {
        Fail(platform::uiText(kGroupIdMissing));
        return nullptr;
    }
    auto group = std::make_unique<CCanvasSnapShotItem>();
    group->SetName(name);
    if (parent) {
        group->SetParent(parent);
    }
    GroupInfo info;
    ReadFields(node, GroupFields(), info);
    info.groupId = id;
    const char* editable = PropertyValue(node, "editable");
    group->SetEditableFlag(editable ? (ParseNumber(editable) != 0 ? 1 : 0) : 1);
    group->Group() = info;

    SnapItemInfo block;
    block.id = id;
    block.x = info.x;
    block.y = info.y;
    block.width = info.width;
    block.height = info.height;
    group->BuildAttrList(block);
    group->FitDrawable();

    RenameWidgetChildren(node);
    group->ChildList().reserve(static_cast<std::size_t>(CountElements(node)));
    for (TiXmlElement* child = node.FirstChildElement("element"); child;
         child = child->NextSiblingElement("element")) {
        if (std::unique_ptr<SnapShotItem> item = ReadChild(*child, *group)) {
            group->AppendChild(std::move(item));
        }
    }
    m_project.RaiseIdCounter(static_cast<std::int32_t>(id));
    group->RefreshRows();
    return group;
}

std::unique_ptr<SnapShotItem> ElementReader::ReadChild(TiXmlElement& node,
                                                       CCanvasSnapShotItem& parent)
{
    if (!node.Attribute("class")) {
        TakeTypeAsClass(node);
    }
    const char* written = node.Attribute("class");
    if (!written) {
        return nullptr;
    }
    std::string className = written;
    if (const int generic = GenericWidgetType(className)) {
        className = m_classes.className(generic);
    }
    if (className != written) {
        m_project.SetModified(1);
    }
    switch (m_classes.readingWidgetType(className)) {
    case ElementClassTable::kPicture:
        return ReadPicture(node, 1, parent);
    case ElementClassTable::kPictureRegion:
        return ReadPicture(node, 0, parent);
    case ElementClassTable::kString:
        return ReadString(node, parent);
    default:
        return ReadGroup(node, &parent);
    }
}

std::unique_ptr<PicSnapshotItem> ElementReader::ReadPicture(TiXmlElement& node, int single,
                                                            CCanvasSnapShotItem& parent)
{
    std::uint32_t id = 0;
    std::string name;
    if (!TakeIdAndName(node, id, name)) {
        Fail(platform::uiText(kPictureIdMissing));
        return nullptr;
    }
    auto picture = std::make_unique<PicSnapshotItem>(single);
    picture->SetName(name);
    picture->SetParent(&parent);
    PicItemInfo info;
    ReadFields(node, PictureFields(), info);
    info.kind = 1;
    info.id = id;
    picture->SetPicInfo(info);
    ReadFrames(node, *picture);
    SnapItemInfo block;
    picture->CopyAttrBlock(block);
    picture->BuildAttrList(block);
    m_project.RaiseIdCounter(static_cast<std::int32_t>(id));
    return picture;
}

void ElementReader::ReadFrames(TiXmlElement& node, PicSnapshotItem& picture)
{
    struct Entry
    {
        const char* index;
        const char* path;
    };
    std::vector<Entry> entries;
    if (const TiXmlElement* layer = node.FirstChildElement("element")) {
        for (const TiXmlElement* p = layer->FirstChildElement("property"); p;
             p = p->NextSiblingElement("property")) {
            entries.push_back({p->Attribute("name"), p->Attribute("value")});
        }
    } else {
        // Older files list the frames as "layer" children.
        for (const TiXmlElement* l = node.FirstChildElement("layer"); l;
             l = l->NextSiblingElement("layer")) {
            entries.push_back({l->Attribute("level"), l->Attribute("path")});
        }
    }

    PicItemInfo info = picture.PicInfo();
    PicFrame blank;
    blank.compress = info.compress;
    blank.alphaFormat = info.alphaFormat;
    blank.argbOutput = info.argbOutput;
    std::vector<PicFrame>& frames = picture.Frames();
    frames.assign(entries.size(), blank);
    const PictureRegistry& pictures = m_project.Pictures();
    for (const Entry& entry : entries) {
        if (!entry.index) {
            continue;
        }
        const std::int32_t index = ParseDecimal(entry.index);
        if (index < 0 || static_cast<std::size_t>(index) >= frames.size()) {
            continue;
        }
        bool fromCase = false;
        const std::string path =
            ResourceSection::StoredForm(m_project, entry.path ? entry.path : "", true, &fromCase);
        if (fromCase) {
            m_project.SetModified(1);
        }
        PicFrame& frame = frames[static_cast<std::size_t>(index)];
        frame.path = path;
        frame.name = PictureRegistry::NameOf(path);
        const int found = pictures.Find(path);
        frame.id =
            found >= 0
                ? static_cast<std::int32_t>(pictures.At(static_cast<std::size_t>(found)).number)
                : -1;
    }
    info.frameCount = static_cast<std::uint16_t>(frames.size());
    picture.SetPicInfo(info);
    picture.SetCurrentFrameIndex(0);
}

std::unique_ptr<StringSnapShotItem> ElementReader::ReadString(TiXmlElement& node,
                                                              CCanvasSnapShotItem& parent)
{
    std::uint32_t id = 0;
    std::string name;
    if (!TakeIdAndName(node, id, name)) {
        Fail(platform::uiText(kStringIdMissing));
        return nullptr;
    }
    auto text = std::make_unique<StringSnapShotItem>();
    text->SetName(name);
    text->SetParent(&parent);
    if (TiXmlElement* older = FindProperty(node, "forground")) {
        older->SetAttribute("name", "foreground");
    }
    StringItemInfo info;
    ReadFields(node, StringFields(), info);
    info.id = id;
    const char* scroll = PropertyValue(node, "scroll");
    info.textScroll = scroll && ParseNumber(scroll) == 1 ? 1 : 0;
    if (info.scrollSign == 0) {
        info.scrollSign = 1;
        m_project.SetModified(1);
    }
    StringRecord& store = text->TextStore();
    store.identifier =
        model::CutText(PropertyValue(node, "strid") ? PropertyValue(node, "strid") : "",
                       StringRecord::kIdentifierMax);
    const StringRegistry& strings = m_project.Strings();
    const int found = strings.Find(store.identifier);
    if (found >= 0) {
        store = strings.Records()[static_cast<std::size_t>(found)];
        info.stringId = static_cast<std::int16_t>(store.number);
    } else {
        info.stringId = -1;
    }
    SnapItemInfo block;
    info.StoreInto(block);
    text->BuildAttrList(block);
    m_project.RaiseIdCounter(static_cast<std::int32_t>(id));
    return text;
}
