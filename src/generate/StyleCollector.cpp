#include "generate/StyleCollector.h"

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/NameHash.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/AsciiCase.h"
#include "platform/CodePage.h"
#include "platform/MainWindowSink.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace generate {
namespace {

// Names already taken among siblings: upper-cased names and their hashes. Sets, so that a
// group of thousands of members is checked in linear time.
class SiblingNames
{
public:
    // Takes `name`; returns false when it equals an earlier name ignoring case or has the
    // same NameHash.
    bool take(const std::string& name)
    {
        std::string upper = platform::toUpperAscii(name);
        const std::uint32_t hash = NameHash(upper);
        if (m_names.count(upper) != 0 || m_hashes.count(hash) != 0) {
            return false;
        }
        m_names.insert(std::move(upper));
        m_hashes.insert(hash);
        return true;
    }

private:
    std::unordered_set<std::string> m_names;
    std::unordered_set<std::uint32_t> m_hashes;
};

// Names may still be code page 936 bytes from older project files.
std::string shown(const std::string& name)
{
    return platform::textAsShown(name);
}

} // namespace

StyleCollector::StyleCollector(APStyleProject& project, bool showMessages)
    : m_project(project), m_showMessages(showMessages),
      m_pictureUsed(project.Pictures().Size(), false), m_stringUsed(project.Strings().Size(), false)
{
}

bool StyleCollector::fail(const std::string& message)
{
    m_error = message;
    if (m_showMessages) {
        platform::interaction().showMessage(message);
    }
    return false;
}

bool StyleCollector::collect()
{
    SiblingNames scenes;
    for (const auto& scene : m_project.Scenes()) {
        if (!scene || scene->IsDeleted()) {
            continue;
        }
        if (!scenes.take(scene->Name())) {
            return fail(
                platform::formatText(platform::uiText("无法保存sty.h文件，存在相同名字的场景：%s"),
                                     shown(scene->Name()).c_str()));
        }
        if (!collectScene(*scene)) {
            return false;
        }
    }
    return true;
}

bool StyleCollector::collectScene(Snapshot& scene)
{
    m_names.push_back(scene.Name());
    for (const auto& element : scene.Elements()) {
        if (element && !element->IsDeleted() && element->KindCode() == SnapShotItem::kGroup &&
            !collectGroup(*element, scene)) {
            return false;
        }
    }
    return true;
}

bool StyleCollector::collectGroup(const SnapShotItem& group, Snapshot& scene)
{
    if (group.Parent()) {
        m_names.push_back(group.Name());
    }
    const SnapItemList* members = group.Children();
    if (!members) {
        return true;
    }
    SiblingNames siblings;
    for (const auto& member : *members) {
        if (!member || member->IsDeleted()) {
            continue;
        }
        if (!siblings.take(member->Name())) {
            return fail(platform::formatText(
                platform::uiText("无法保存sty.h文件，资源组%s下存在相同的资源命名：%s"),
                shown(group.Name()).c_str(), shown(member->Name()).c_str()));
        }
        if (!collectMember(*member, scene)) {
            return false;
        }
    }
    return true;
}

bool StyleCollector::collectMember(SnapShotItem& member, Snapshot& scene)
{
    // The kind code says which class to expect; the cast confirms it.
    switch (member.KindCode()) {
    case SnapShotItem::kGroup:
        return collectGroup(member, scene);
    case SnapShotItem::kPicture:
        if (auto* picture = dynamic_cast<PicSnapshotItem*>(&member)) {
            return collectPicture(*picture, scene);
        }
        return true;
    case SnapShotItem::kString:
        if (auto* text = dynamic_cast<StringSnapShotItem*>(&member)) {
            return collectString(*text, scene);
        }
        return true;
    default:
        return true;
    }
}

bool StyleCollector::collectPicture(PicSnapshotItem& picture, const Snapshot& scene)
{
    m_names.push_back(picture.Name());
    PictureRegistry& registry = m_project.Pictures();
    auto& frames = picture.Frames();
    // A single picture without any frame would be written with an identifier that names
    // no picture: it is reported like a frame whose picture is missing.
    const std::size_t checked = std::max<std::size_t>(frames.size(), picture.IsSingle() ? 1 : 0);
    for (std::size_t i = 0; i < checked; ++i) {
        const int index = i < frames.size() ? registry.Find(frames[i].path) : -1;
        if (index < 0) {
            return fail(platform::formatText(
                platform::uiText(
                    "保存Sty文件失败，请确保场景%s下资源名为%s第%zu层的图片路径是否正确"),
                shown(scene.Name()).c_str(), shown(picture.Name()).c_str(), i));
        }
        PicFrame& frame = frames[i];
        const auto position = static_cast<std::size_t>(index);
        // The frame says how its picture is packed: a project read from its file has these
        // nowhere else.
        registry.SetAlphaFormat(position, frame.alphaFormat);
        registry.SetArgbOutput(position, frame.argbOutput);
        frame.id = static_cast<std::int32_t>(registry.FirstNumber() + position);
        if (!m_pictureUsed[position]) {
            m_pictureUsed[position] = true;
            m_project.UsedPictures().push_back(static_cast<std::uint32_t>(position));
        }
    }
    return true;
}

bool StyleCollector::collectString(StringSnapShotItem& text, Snapshot& scene)
{
    m_names.push_back(text.Name());
    const StringRegistry& registry = m_project.Strings();
    const int index = registry.Find(text.TextStore().identifier);
    if (index < 0) {
        fail(platform::formatText(
            platform::uiText("保存Sty文件失败，请确保场景%s下字符串资源名为%s的String ID是否正确"),
            shown(scene.Name()).c_str(), shown(text.Name()).c_str()));
        // The scene is selected in the project tree, where the string can be fixed.
        m_project.SetCurrentScene(&scene);
        platform::notifyMainWindow(platform::kMsgRebuildTree);
        return false;
    }
    const auto position = static_cast<std::size_t>(index);
    StringItemInfo info = text.StringInfo();
    // The registry holds the texts that get packed; the element's store is only a copy
    // made when it was bound.
    const StringRecord& record = registry.Records()[position];
    const std::size_t languages = std::min<std::size_t>(record.textCount, StringRecord::kLanguages);
    for (std::size_t language = 0; language < languages; ++language) {
        const std::u16string& wide = record.wideTexts[language];
        if (!wide.empty()) {
            m_characterSets.addText(info.fontHeight, language, wide);
        }
    }
    info.stringId = static_cast<std::int16_t>(registry.FirstNumber() + position);
    text.SetStringInfo(info);
    if (!m_stringUsed[position]) {
        m_stringUsed[position] = true;
        m_project.UsedStrings().push_back(static_cast<std::uint32_t>(position));
    }
    return true;
}

} // namespace generate
