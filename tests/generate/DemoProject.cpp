#include "DemoProject.h"

#include "generate/StyleLayout.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"

#include <initializer_list>

namespace {

const char* const kApp = ".\\images\\apps\\demo\\";

std::string stored(const std::string& rest)
{
    return kApp + rest;
}

// Geometry as the project file writes it.
struct Box
{
    int x, y, width, height;
};

void place(SnapShotItem& item, const Box& box)
{
    SnapItemInfo* block = item.AttrBlock();
    block->x = static_cast<std::int16_t>(box.x);
    block->y = static_cast<std::int16_t>(box.y);
    block->width = static_cast<std::uint16_t>(box.width);
    block->height = static_cast<std::uint16_t>(box.height);
}

// `background` as the file writes it (0xAARRGGBB).
CCanvasSnapShotItem* group(CCanvasSnapShotItem* parent, const char* name, Box box,
                           std::uint32_t background = 0xc8c8c8, int opaque = 0,
                           int transparency = 0)
{
    auto* item = static_cast<CCanvasSnapShotItem*>(parent->AddChild(SnapShotItem::kGroup, 0));
    item->Rename(name);
    place(*item, box);
    GroupInfo& info = item->Group();
    info.x = static_cast<std::int16_t>(box.x);
    info.y = static_cast<std::int16_t>(box.y);
    info.width = static_cast<std::uint16_t>(box.width);
    info.height = static_cast<std::uint16_t>(box.height);
    info.background = generate::storedColour(background);
    info.opaque = static_cast<std::uint8_t>(opaque);
    info.transparency = static_cast<std::uint8_t>(transparency);
    return item;
}

void picture(CCanvasSnapShotItem* parent, const char* name, Box box, int visible,
             std::initializer_list<const char*> frames, bool single = true, int pngA8 = 0,
             int argb = 0)
{
    auto* item =
        static_cast<PicSnapshotItem*>(parent->AddChild(SnapShotItem::kPicture, single ? 1 : 0));
    item->Rename(name);
    place(*item, box);
    item->Frames().clear();
    for (const char* path : frames) {
        PicFrame frame;
        frame.path = stored(path);
        frame.alphaFormat = static_cast<std::uint8_t>(pngA8);
        frame.argbOutput = static_cast<std::uint8_t>(argb);
        item->Frames().push_back(frame);
    }
    PicItemInfo info = item->PicInfo();
    info.frameCount = static_cast<std::uint16_t>(frames.size());
    info.visible = static_cast<std::uint8_t>(visible);
    info.alphaFormat = static_cast<std::uint8_t>(pngA8);
    info.argbOutput = static_cast<std::uint8_t>(argb);
    item->SetPicInfo(info);
}

// Colours as the file writes them; the demo's strings differ in these fields only.
struct Text
{
    std::uint32_t foreground = 0xffffff;
    std::uint32_t background = 0xffffff;
    int align = 0x0c;
    int mode = 2;
    int size = 16;
    int scroll = 0;
    int space = 100;
    int pixel = 1;
};

void string(CCanvasSnapShotItem* parent, const char* name, Box box, const char* identifier,
            const Text& text)
{
    auto* item = static_cast<StringSnapShotItem*>(parent->AddChild(SnapShotItem::kString, 0));
    item->Rename(name);
    item->TextStore().identifier = identifier;
    StringItemInfo info = item->StringInfo();
    info.x = static_cast<std::int16_t>(box.x);
    info.y = static_cast<std::int16_t>(box.y);
    info.width = static_cast<std::uint16_t>(box.width);
    info.height = static_cast<std::uint16_t>(box.height);
    info.foreground = generate::storedColour(text.foreground);
    info.background = generate::storedColour(text.background);
    info.align = static_cast<std::uint8_t>(text.align);
    info.modeTimesTwo = static_cast<std::uint8_t>(text.mode);
    info.fontHeight = static_cast<std::uint8_t>(text.size);
    info.textScroll = static_cast<std::uint8_t>(text.scroll);
    info.scrollInterval = static_cast<std::uint16_t>(text.space);
    info.scrollPixels = static_cast<std::uint16_t>(text.pixel);
    item->SetStringInfo(info);
}

CCanvasSnapShotItem* scene(APStyleProject& project, const char* name, const char* groupName,
                           std::uint32_t background = 0xc8c8c8, int opaque = 0)
{
    Snapshot* scene = project.AddScene();
    scene->SetName(name);
    auto* root = static_cast<CCanvasSnapShotItem*>(scene->AddChild(SnapShotItem::kGroup, 0));
    root->Rename(groupName);
    place(*root, {0, 0, 320, 240});
    GroupInfo& info = root->Group();
    info.width = 320;
    info.height = 240;
    info.background = generate::storedColour(background);
    info.opaque = static_cast<std::uint8_t>(opaque);
    return root;
}

void mainScene(APStyleProject& project)
{
    const Text white;
    CCanvasSnapShotItem* root = scene(project, "MainScene", "MainGroup");
    picture(root, "MainBg", {0, 0, 320, 240}, 0x10, {"bg\\main_bg.png"});
    CCanvasSnapShotItem* bar = group(root, "StatusBar", {0, 0, 320, 24}, 0x102030, 1);
    Text title;
    title.background = 0x102030;
    string(bar, "AppTitle", {8, 2, 120, 20}, "APPNAME", title);
    picture(bar, "AlarmIcon", {268, 4, 16, 16}, 0, {"icons\\ic_alarm.png"});
    picture(bar, "BatteryIcon", {290, 6, 24, 12}, 0x10, {"icons\\ic_battery.bmp"});
    CCanvasSnapShotItem* clock = group(root, "ClockPanel", {0, 24, 320, 176});
    Text big;
    big.size = 24;
    string(clock, "TimeLabel", {20, 12, 180, 28}, "TIME", big);
    picture(clock, "SunAnim", {240, 8, 48, 48}, 0x11,
            {"anim\\sun_0.png", "anim\\sun_1.png", "anim\\sun_2.png"}, false, 8);
    string(clock, "WeatherNow", {20, 60, 200, 20}, "SUNNY", white);
    Text city;
    city.foreground = 0xc0d0ff;
    city.size = 12;
    string(clock, "CityName", {20, 84, 200, 16}, "CITY", city);
    CCanvasSnapShotItem* temp = group(clock, "TempBox", {200, 100, 100, 60}, 0, 1, 0x80);
    big.align = 0x0e;
    string(temp, "TempNow", {0, 16, 100, 28}, "TEMP", big);
    CCanvasSnapShotItem* keys = group(root, "SoftKeys", {0, 200, 320, 40}, 0x202020, 1);
    string(keys, "KeyMenu", {8, 10, 100, 20}, "MENU", white);
    Text right;
    right.align = 0x0d;
    string(keys, "KeyBack", {212, 10, 100, 20}, "BACK", right);
}

void dayGroup(CCanvasSnapShotItem* forecast, const char* name, int x, const char* icon,
              std::initializer_list<const char*> frames, const char* text, const char* textId,
              const char* temp)
{
    CCanvasSnapShotItem* day = group(forecast, name, {x, 0, 96, 144});
    picture(day, icon, {28, 16, 40, 40}, 0x11, frames, frames.size() == 1, 0, 8);
    Text small;
    small.foreground = 0x203040;
    small.align = 0x0e;
    small.size = 12;
    string(day, text, {0, 64, 96, 20}, textId, small);
    if (temp) {
        small.size = 16;
        string(day, temp, {0, 88, 96, 24}, "TEMP", small);
    }
}

void weatherScene(APStyleProject& project)
{
    CCanvasSnapShotItem* root = scene(project, "WeatherScene", "WeatherGroup");
    picture(root, "WeatherBg", {0, 0, 320, 240}, 0x10, {"bg\\weather_bg.jpg"});
    Text title;
    title.foreground = 0x203040;
    title.align = 0x0e;
    title.size = 24;
    string(root, "ForecastTitle", {0, 8, 320, 28}, "FORECAST", title);
    CCanvasSnapShotItem* forecast = group(root, "Forecast", {16, 48, 288, 144});
    dayGroup(forecast, "Today", 0, "TodayIcon",
             {"weather\\ic_sunny.png", "weather\\ic_cloudy.png", "weather\\ic_rain.png"},
             "TodayText", "SUNNY", "TodayTemp");
    dayGroup(forecast, "Tomorrow", 96, "TomorrowIcon",
             {"weather\\ic_cloudy.png", "weather\\ic_rain.png", "weather\\ic_sunny.png"},
             "TomorrowText", "CLOUDY", nullptr);
    dayGroup(forecast, "Later", 192, "LaterIcon", {"weather\\ic_rain.png"}, "LaterText", "RAIN",
             nullptr);
    CCanvasSnapShotItem* keys = group(root, "WeatherKeys", {0, 200, 320, 40});
    Text back;
    back.foreground = 0x203040;
    back.align = 0x0d;
    string(keys, "WeatherBack", {212, 10, 100, 20}, "BACK", back);
}

void settingsScene(APStyleProject& project)
{
    CCanvasSnapShotItem* root = scene(project, "SettingsScene", "SettingsGroup", 0x183048, 1);
    Text title;
    title.background = 0x306090;
    title.align = 0x0e;
    title.mode = 0;
    title.size = 24;
    string(root, "SettingsTitle", {0, 0, 320, 36}, "SETTINGS", title);
    CCanvasSnapShotItem* list = group(root, "MenuList", {0, 40, 320, 80});
    const Text white;
    const char* const items[][4] = {{"LangItem", "LangLabel", "LANGUAGE", "LangArrow"},
                                    {"AlarmItem", "AlarmLabel", "ALARM", "AlarmArrow"}};
    int y = 0;
    for (const auto& entry : items) {
        CCanvasSnapShotItem* item = group(list, entry[0], {0, y, 320, 40}, 0x304860);
        string(item, entry[1], {16, 10, 200, 20}, entry[2], white);
        picture(item, entry[3], {292, 12, 16, 16}, 0x10, {"icons\\ic_arrow.bmp"});
        y += 40;
    }
    Text tips;
    tips.foreground = 0xffe080;
    tips.align = 0x0e;
    tips.size = 12;
    tips.scroll = 1;
    tips.space = 200;
    tips.pixel = 2;
    string(root, "TipsMarquee", {0, 176, 320, 20}, "TIPS", tips);
    CCanvasSnapShotItem* keys = group(root, "SettingsKeys", {0, 200, 320, 40});
    Text back;
    back.align = 0x0d;
    string(keys, "SettingsBack", {212, 10, 100, 20}, "BACK", back);
}

void resources(APStyleProject& project)
{
    const std::string caseDir = project.CaseDir() + "/images/apps/demo/";
    for (const char* path :
         {"bg/main_bg.png", "bg/weather_bg.jpg", "icons/ic_alarm.png", "icons/IC_Battery.bmp",
          "icons/ic_arrow.bmp", "anim/sun_0.png", "anim/sun_1.png", "anim/sun_2.png",
          "weather/ic_sunny.png", "weather/ic_cloudy.png", "weather/ic_rain.png"}) {
        project.AddPicture(caseDir + path, 1);
    }
    StringRegistry& strings = project.Strings();
    for (const char* id : {"APPNAME", "TIME", "CITY", "TEMP", "SUNNY", "CLOUDY", "RAIN", "FORECAST",
                           "MENU", "BACK", "SETTINGS", "LANGUAGE", "ALARM", "TIPS"}) {
        strings.Append(strings.LastNumber() + 1, id);
        strings.SetLastNumber(strings.Records().back().number);
    }
    strings.SetFirstNumber(1);
}

} // namespace

std::string demoDirectory()
{
    return std::string(SKINSMITH_SOURCE_DIR) + "/examples/demo";
}

void buildDemoProject(APStyleProject& project, const std::string& outputDir)
{
    project.InitNew();
    project.SetName("demo");
    project.SetScreenWidth(320);
    project.SetScreenHeight(240);
    project.SetProjectDir(demoDirectory());
    project.SetCaseDir(demoDirectory() + "/case");
    project.SetSdkDir(demoDirectory() + "/psp_rel");
    project.SetResourceFile(outputDir + "/apps/demo/style0/demo.res");
    project.SetStringDir(outputDir + "/apps/demo");
    project.SetStyleFile(outputDir + "/apps/demo/demo.sty");
    project.SetStyleHeader(outputDir + "/demo_sty.h");
    project.SetPictureHeader(outputDir + "/demo_pic.h");
    project.SetStringHeader(outputDir + "/demo_str.h");
    project.SetBuildResType(1);
    DesktopSettings& desktop = project.Desktop();
    desktop.create = 1;
    desktop.path = outputDir + "/apps/demo/demo.desktop";
    desktop.comment = "Clock and weather demo";
    desktop.exec = "demo.app";
    desktop.name = "Clock";
    desktop.nameStringId = "APPNAME";
    resources(project);
    mainScene(project);
    weatherScene(project);
    settingsScene(project);
}
