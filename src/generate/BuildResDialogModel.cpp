#include "generate/BuildResDialogModel.h"

#include "model/APStyleProject.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "projectfile/SettingsAccessor.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace generate {
namespace {

constexpr std::string_view kSection = "CONFIG";

bool isOn(const std::string& text)
{
    return std::atoi(text.c_str()) != 0;
}

const char* switchText(bool on)
{
    return on ? "1" : "0";
}

} // namespace

const std::array<const char*, BuildResDialogModel::kJpegEditCount> BuildResDialogModel::kJpegKeys =
    {"JPG_MIN_WIDTH", "JPG_MIN_HEIGHT", "JPG_SPLIT_WIDTH", "JPG_SPLIT_HEIGHT", "JPG_QUALITY"};

BuildResDialogModel::BuildResDialogModel(std::string settingsPath, std::int32_t nextLayerId)
    : m_settingsPath(std::move(settingsPath)), m_nextLayerId(nextLayerId)
{
}

void BuildResDialogModel::load()
{
    const SettingsAccessor settings(m_settingsPath);
    auto text = [&](std::string_view key, std::string_view fallback = {}) {
        return settings.readText(kSection, key, fallback);
    };
    m_bestQuality = std::atoi(text("RES_MODE", "0").c_str()) == 0;
    m_quality = m_bestQuality ? 1 : 0;
    splitResSizeText = text("SPLITRES_SIZE");
    splitPackStartText = text("SPLITPACK_START", "0");
    tileWidthText = text("TILE_WIDTH");
    tileHeightText = text("TILE_HEIGHT");
    for (int i = 0; i < kJpegEditCount; ++i) {
        jpegTexts[i] = text(kJpegKeys[i]);
    }
    m_compressSelection = std::atoi(text("COMPRESS_TYPE", "0").c_str());
    m_tile = isOn(text("EN_TILE"));
    m_rawJpeg = isOn(text("RAW_JPEG"));
    // Through the setters, so that the two splits are never both on.
    m_splitRes = false;
    m_splitPack = false;
    setSplitRes(isOn(text("EN_SPLITRES")));
    setSplitPack(isOn(text("EN_SPLITPACK")));
}

std::string BuildResDialogModel::rangeLabel() const
{
    char label[32];
    std::snprintf(label, sizeof label, "(0-%d)", m_nextLayerId);
    return label;
}

void BuildResDialogModel::setSplitRes(bool on)
{
    m_splitRes = on;
    if (on) {
        m_splitPack = false;
    }
}

void BuildResDialogModel::setSplitPack(bool on)
{
    m_splitPack = on;
    if (on) {
        m_splitRes = false;
    }
}

bool BuildResDialogModel::chooseDifferentialProject()
{
    const std::optional<std::string> path = platform::interaction().chooseFile(
        platform::FileChooserMode::Open, platform::uiText("UI文件(*.ui)|*.ui|全部文件(*.*)"),
        platform::uiText("选择差分工程"), {});
    if (!path) {
        return false;
    }
    loadDifferentialProject(*path);
    return true;
}

bool BuildResDialogModel::loadDifferentialProject(const std::string& path)
{
    // The reader makes the project it reads current for the time of the load and puts the
    // previous one back; the open project stays current.
    APStyleProject temporary;
    const bool loaded = temporary.Load(path) == 1;
    if (loaded) {
        splitPackStartText = std::to_string(temporary.NextLayerId());
    }
    m_differentialProjectPath = temporary.ResourceFile();
    return loaded;
}

bool BuildResDialogModel::accept()
{
    m_quality = m_bestQuality ? 1 : 0;
    m_splitPackStart = m_splitPack ? std::atoi(splitPackStartText.c_str()) : -1;
    m_splitSize = m_splitRes ? std::int64_t{std::atoi(splitResSizeText.c_str())} << 20 : 0;
    m_tileWidth = m_tile ? std::atoi(tileWidthText.c_str()) : 0;
    m_tileHeight = m_tile ? std::atoi(tileHeightText.c_str()) : 0;

    SettingsAccessor settings(m_settingsPath);
    bool written = true;
    auto write = [&](std::string_view key, const std::string& value) {
        written = settings.writeText(kSection, key, value, true) == 0 && written;
    };
    write("RES_MODE", m_bestQuality ? "0" : "1");
    write("EN_SPLITRES", switchText(m_splitRes));
    write("SPLITRES_SIZE", splitResSizeText);
    write("EN_SPLITPACK", switchText(m_splitPack));
    write("SPLITPACK_START", splitPackStartText);
    write("EN_TILE", switchText(m_tile));
    write("TILE_WIDTH", tileWidthText);
    write("TILE_HEIGHT", tileHeightText);
    write("COMPRESS_TYPE", std::to_string(m_compressSelection));
    write("RAW_JPEG", switchText(m_rawJpeg));
    for (int i = 0; i < kJpegEditCount; ++i) {
        write(kJpegKeys[i], jpegTexts[i]);
    }
    return written;
}

void BuildResDialogModel::applyTo(ResourceBuildOptions& options) const
{
    options.quality = m_quality;
    options.splitPackStart = m_splitPackStart;
    options.splitSize = m_splitSize;
    options.tileWidth = m_tileWidth;
    options.tileHeight = m_tileHeight;
    options.compressType = compressType();
    options.rawJpeg = m_rawJpeg;
}

} // namespace generate
