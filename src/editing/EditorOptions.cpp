#include "editing/EditorOptions.h"

#include "editing/CommandIds.h"
#include "editing/CommandTable.h"
#include "projectfile/SettingsAccessor.h"

#include <cstdlib>
#include <utility>

namespace editing {

namespace {

const char kSection[] = "CONFIG";

int TextAsInt(const SettingsAccessor& settings, const char* key)
{
    return std::atoi(settings.readText(kSection, key, "0").c_str());
}

} // namespace

EditorOptions::EditorOptions(std::string settingsPath) : m_settingsPath(std::move(settingsPath)) {}

void EditorOptions::Read()
{
    const SettingsAccessor settings(m_settingsPath);
    m_format = settings.readInt(kSection, "RES_FORMAT");
    m_compress = TextAsInt(settings, "RES_COMPRESS");
    m_picSameName = TextAsInt(settings, "PIC_SAMENAME");
    m_rawJpeg = TextAsInt(settings, "RAW_JPEG");
    m_uiLanguage = settings.readText(kSection, "UI_LANGUAGE", "");
    const std::string keep = settings.readText(kSection, "AUTOSAVE_KEEP", "");
    m_autoSaveKeep =
        keep.empty() ? kDefaultAutoSaveKeep : settings.readInt(kSection, "AUTOSAVE_KEEP");
}

bool EditorOptions::SetFormat(int format)
{
    m_format = format;
    SettingsAccessor settings(m_settingsPath);
    return settings.writeInt(kSection, "RES_FORMAT", format, true) == 0;
}

bool EditorOptions::ToggleCompress()
{
    m_compress = m_compress ? 0 : 1;
    SettingsAccessor settings(m_settingsPath);
    return settings.writeText(kSection, "RES_COMPRESS", m_compress ? "1" : "0", true) == 0;
}

bool EditorOptions::SetUiLanguage(const std::string& code)
{
    SettingsAccessor settings(m_settingsPath);
    if (settings.writeText(kSection, "UI_LANGUAGE", code, true) != 0) {
        return false;
    }
    m_uiLanguage = code;
    return true;
}

void EditorOptions::Install(CommandTable& table)
{
    using namespace cmd;
    const std::pair<int, int> formats[] = {
        {kFormatRgb565, 0}, {kFormatArgb565, 1},  {kFormatRgb888, 4},   {kFormatArgb888, 3},
        {kFormatWatch, 5},  {kFormatArgb6666, 6}, {kFormatArgb1555, 7},
    };
    for (const auto& [id, value] : formats) {
        const int format = value;
        table.SetHandler(id, [this, format](Workspace&) { SetFormat(format); });
        table.SetChecked(id, [this, format](Workspace&) { return m_format == format; });
    }
    table.SetHandler(kCompress, [this](Workspace&) { ToggleCompress(); });
    table.SetChecked(kCompress, [this](Workspace&) { return Compress(); });
}

} // namespace editing
