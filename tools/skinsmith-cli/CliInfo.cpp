// skinsmith-cli info: prints a loaded project: settings, scenes with their element trees,
// and the resource registries.

#include "CliCommand.h"
#include "CliProjectSession.h"
#include "InfoTree.h"

#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/CodePage.h"
#include "platform/UiText.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace {

const char kUsage[] =
    "Usage: skinsmith-cli info PROJECT.ui [--json]\n"
    "\n"
    "Loads PROJECT.ui and prints its settings, its scenes with their element trees (kind,\n"
    "identifier, name, geometry, frames, bound strings) and its picture, string and text\n"
    "file registries. Runs unattended, as resave does; load messages go to standard error.\n"
    "\n"
    "Options:\n"
    "  --json       print JSON instead of indented text\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 printed, 1 the project could not be loaded, 2 usage error.\n";

std::string Hex(std::uint32_t value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%.*x", digits, value);
    return buffer;
}

// Colours as the project file keeps them: 0xAARRGGBB.
std::string Colour(std::uint32_t memory)
{
    const std::uint32_t file =
        (memory & 0xFF00FF00u) | ((memory & 0xFFu) << 16) | ((memory >> 16) & 0xFFu);
    return Hex(file, 8);
}

void AddGeometry(InfoTree& node, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height)
{
    node.Add("x", x);
    node.Add("y", y);
    node.Add("width", width);
    node.Add("height", height);
}

InfoTree Element(const SnapShotItem& item, int language);

void AddGroup(InfoTree& node, const CCanvasSnapShotItem& group, int language)
{
    const GroupInfo& info = group.Group();
    node.Add("kind", "group");
    node.Add("id", static_cast<long long>(group.GetId()));
    node.Add("name", group.Name());
    AddGeometry(node, info.x, info.y, info.width, info.height);
    node.Add("visible", info.visible);
    node.Add("editable", static_cast<long long>(group.EditableFlag()));
    node.Add("background", Colour(info.background));
    node.Add("opaque", info.opaque);
    node.Add("transparency", info.transparency);
    InfoTree& children = node.Add("children", InfoTree::List());
    for (const auto& child : *group.Children()) {
        if (!child->IsDeleted()) {
            children.Append(Element(*child, language));
        }
    }
}

void AddPicture(InfoTree& node, const PicSnapshotItem& picture)
{
    const PicItemInfo info = picture.PicInfo();
    node.Add("kind", picture.IsSingle() ? "picture" : "region");
    node.Add("id", static_cast<long long>(info.id));
    node.Add("name", picture.Name());
    AddGeometry(node, info.x, info.y, info.width, info.height);
    node.Add("visible", Hex(info.visible, 2));
    node.Add("compress", info.compress);
    node.Add("PNG_A8", info.alphaFormat);
    node.Add("ARGB", info.argbOutput);
    InfoTree& frames = node.Add("frames", InfoTree::List());
    for (std::size_t i = 0; i < picture.Frames().size(); ++i) {
        const PicFrame& frame = picture.Frames()[i];
        InfoTree& entry = frames.Append(InfoTree::Object());
        entry.Add("index", static_cast<long long>(i));
        entry.Add("picture", frame.id);
        entry.Add("path", frame.path);
    }
}

// The text a string shows in `language` (language 0 when that one has none).
std::string ShownText(const StringRecord& store, int language)
{
    if (store.textCount == 0) {
        return {};
    }
    const auto slot = static_cast<std::size_t>(
        language >= 0 && language < StringRecord::kLanguages ? language : 0);
    if (store.wideTexts[0].empty()) {
        return store.texts[slot].empty() ? store.texts[0] : store.texts[slot];
    }
    const std::u16string& wide =
        store.displayTexts[slot].empty() ? store.displayTexts[0] : store.displayTexts[slot];
    return platform::utf16ToUtf8(wide);
}

void AddString(InfoTree& node, const StringSnapShotItem& text, int language)
{
    const StringItemInfo info = text.StringInfo();
    node.Add("kind", "string");
    node.Add("id", static_cast<long long>(info.id));
    node.Add("name", text.Name());
    AddGeometry(node, info.x, info.y, info.width, info.height);
    node.Add("visible", info.visible);
    const StringRecord& store = text.TextStore();
    node.Add("strid", store.identifier);
    node.Add("string", info.stringId);
    node.Add("text", ShownText(store, language));
    node.Add("size", info.fontHeight);
    node.Add("foreground", Colour(info.foreground));
    node.Add("background", Colour(info.background));
    node.Add("align", Hex(info.align, 2));
    node.Add("mode", info.modeTimesTwo / 2);
    node.Add("scroll", info.textScroll);
}

InfoTree Element(const SnapShotItem& item, int language)
{
    InfoTree node = InfoTree::Object();
    if (const auto* group = dynamic_cast<const CCanvasSnapShotItem*>(&item)) {
        AddGroup(node, *group, language);
    } else if (const auto* picture = dynamic_cast<const PicSnapshotItem*>(&item)) {
        AddPicture(node, *picture);
    } else if (const auto* text = dynamic_cast<const StringSnapShotItem*>(&item)) {
        AddString(node, *text, language);
    } else {
        node.Add("kind", "other");
        node.Add("name", item.Name());
    }
    return node;
}

InfoTree Settings(const APStyleProject& p)
{
    InfoTree node = InfoTree::Object();
    node.Add("name", p.Name());
    node.Add("file", p.ProjectFilePath());
    node.Add("screen_width", p.ScreenWidth());
    node.Add("screen_height", p.ScreenHeight());
    node.Add("language", p.DisplayLanguage());
    node.Add("case_dir", p.CaseDir());
    node.Add("sdk_dir", p.SdkDir());
    node.Add("resource_file", p.ResourceFile());
    node.Add("string_dir", p.StringDir());
    node.Add("picture_header", p.PictureHeader());
    node.Add("string_header", p.StringHeader());
    node.Add("style_header", p.StyleHeader());
    node.Add("style_file", p.StyleFile());
    node.Add("build_res_type", p.BuildResType());
    node.Add("build_res_mode", p.BuildResMode());
    node.Add("modified", p.Modified());
    const DesktopSettings& d = p.Desktop();
    InfoTree& desktop = node.Add("desktop", InfoTree::Object());
    desktop.Add("create", d.create);
    desktop.Add("path", d.path);
    desktop.Add("comment", d.comment);
    desktop.Add("exec_dir", d.execDir);
    desktop.Add("type", d.type);
    desktop.Add("child", d.child);
    desktop.Add("exec", d.exec);
    desktop.Add("icon_id", d.iconId);
    desktop.Add("icon", d.icon);
    desktop.Add("name_id", d.nameId);
    desktop.Add("name", d.name);
    desktop.Add("name_str_id", d.nameStringId);
    return node;
}

InfoTree Scenes(const APStyleProject& p)
{
    InfoTree scenes = InfoTree::List();
    for (const auto& scene : p.Scenes()) {
        if (scene->IsDeleted()) {
            continue;
        }
        InfoTree& node = scenes.Append(InfoTree::Object());
        node.Add("id", static_cast<long long>(scene->GetId()));
        node.Add("name", scene->Name());
        node.Add("direction", scene->Record().direction);
        std::string keys;
        for (const std::uint8_t key : scene->Record().keys) {
            keys += (keys.empty() ? "" : " ") + std::to_string(key);
        }
        node.Add("keys", keys);
        InfoTree& elements = node.Add("elements", InfoTree::List());
        for (const auto& element : scene->Elements()) {
            if (!element->IsDeleted()) {
                elements.Append(Element(*element, p.DisplayLanguage()));
            }
        }
    }
    return scenes;
}

template <typename List>
bool Listed(const List& list, std::uint32_t number)
{
    return std::find(list.begin(), list.end(), number) != list.end();
}

void AddRegistries(InfoTree& root, const APStyleProject& p)
{
    InfoTree& pictures = root.Add("pictures", InfoTree::List());
    for (const PictureRecord& record : p.Pictures().Records()) {
        InfoTree& node = pictures.Append(InfoTree::Object());
        node.Add("number", static_cast<long long>(record.number));
        node.Add("name", record.name);
        node.Add("path", record.path);
        const auto layer = p.LayerMap().find(record.path);
        node.Add("layer", layer == p.LayerMap().end() ? 0 : layer->second);
        node.Add("missing", Listed(p.Pictures().Missing(), record.number) ? 1 : 0);
    }
    InfoTree& strings = root.Add("strings", InfoTree::List());
    for (const StringRecord& record : p.Strings().Records()) {
        InfoTree& node = strings.Append(InfoTree::Object());
        node.Add("number", static_cast<long long>(record.number));
        node.Add("identifier", record.identifier);
        node.Add("languages", static_cast<long long>(record.textCount));
        node.Add("missing", Listed(p.Strings().Missing(), record.number) ? 1 : 0);
    }
    InfoTree& files = root.Add("text_files", InfoTree::List());
    for (const std::string& file : p.TextFiles()) {
        files.Append(InfoTree::Text(file));
    }
}

int runInfo(const std::vector<std::string>& args);

const CliCommand kCommand{"info", "print a project's settings, scenes, elements and resources",
                          kUsage, runInfo};

int runInfo(const std::vector<std::string>& args)
{
    std::string path;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(
                kCommand,
                platform::formatText(platform::toolText("unknown option '%s'"), arg.c_str()));
        } else if (path.empty() && !arg.empty()) {
            path = arg;
        } else {
            return usageError(
                kCommand,
                platform::formatText(platform::toolText("unexpected argument '%s'"), arg.c_str()));
        }
    }
    if (path.empty()) {
        return usageError(kCommand, platform::toolText("no project file given"));
    }

    CliProjectSession session(kCommand);
    const APStyleProject* project = session.load(path);
    if (!project) {
        return kExitFailed;
    }
    InfoTree root = InfoTree::Object();
    root.Add("project", Settings(*project));
    root.Add("scenes", Scenes(*project));
    AddRegistries(root, *project);
    if (json) {
        root.PrintJson(std::cout);
    } else {
        root.PrintText(std::cout);
    }
    return kExitOk;
}

} // namespace

const CliCommand& infoCommand()
{
    return kCommand;
}
