#pragma once

#include <string>

namespace editing {

class CommandTable;

// The main frame's generation options from section "CONFIG" of the editor settings file:
// RES_FORMAT, RES_COMPRESS, PIC_SAMENAME and RAW_JPEG. Read when a project is opened; the
// option commands change them and write them back at once.
class EditorOptions
{
public:
    // `settingsPath`: the editor settings file ("SkinSmith.ini" beside the program).
    explicit EditorOptions(std::string settingsPath);

    // Reads the four options from the settings file.
    void Read();
    int Format() const { return m_format; }
    bool Compress() const { return m_compress != 0; }
    bool PicSameName() const { return m_picSameName != 0; }
    bool RawJpeg() const { return m_rawJpeg != 0; }
    // AUTOSAVE_KEEP: how many auto-save copies of a project are kept (10 when the key is
    // missing; 0 keeps them all).
    int AutoSaveKeep() const { return m_autoSaveKeep; }

    // Sets RES_FORMAT and writes it (created when missing). Returns false when the write
    // failed; the option is set all the same.
    bool SetFormat(int format);
    // Toggles RES_COMPRESS and writes it as "1" or "0".
    bool ToggleCompress();
    // UI_LANGUAGE: the language chosen for the window's next start ("zh", "en"), or empty.
    const std::string& UiLanguage() const { return m_uiLanguage; }
    // Writes UI_LANGUAGE (created when missing) and keeps it; false, and the previous choice
    // kept, when the write failed.
    bool SetUiLanguage(const std::string& code);

    // Gives the table's format items and "压缩图片资源" their handlers and check marks.
    void Install(CommandTable& table);

    const std::string& SettingsPath() const { return m_settingsPath; }

private:
    std::string m_settingsPath;
    int m_format = 0;
    int m_compress = 0;
    int m_picSameName = 0;
    int m_rawJpeg = 0;
    std::string m_uiLanguage;
    static constexpr int kDefaultAutoSaveKeep = 10;
    int m_autoSaveKeep = kDefaultAutoSaveKeep;
};

} // namespace editing
