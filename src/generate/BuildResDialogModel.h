#pragma once

#include "generate/ResourceBuildOptions.h"

#include <array>
#include <cstdint>
#include <string>

namespace generate {

// The state and rules of the build options dialog ("生成资源") without its widgets: one field
// per control, the rules that tie the controls together, the differential project and what OK
// computes and stores in section "CONFIG" of the settings file. The dialog is made anew for
// every build: construct, load(), let the widgets edit the fields through the setters, then
// accept() and applyTo() the options of the run.
class BuildResDialogModel
{
public:
    // The five edits of the raw-JPEG group, in the order of kJpegKeys.
    enum JpegEdit
    {
        JpegMinWidth,
        JpegMinHeight,
        JpegSplitWidth,
        JpegSplitHeight,
        JpegQuality
    };
    static constexpr int kJpegEditCount = 5;
    // The keys of the raw-JPEG edits: "JPG_MIN_WIDTH" ... "JPG_QUALITY".
    static const std::array<const char*, kJpegEditCount> kJpegKeys;
    // Items of the "压缩格式:" drop-down, by index.
    static constexpr int kSelectionLz4 = 0;
    static constexpr int kSelectionRle = 1;
    static constexpr int kNoSelection = -1;

    BuildResDialogModel(std::string settingsPath, std::int32_t nextLayerId);

    // Reads every key into its control and applies the switch rules: "差分包" wins when a
    // hand-edited file has both splits on.
    void load();
    // "(0-%d)" with the project's next layer identifier.
    std::string rangeLabel() const;

    // The controls. Switches go through their setters, which keep the rules.
    bool bestQuality() const { return m_bestQuality; }
    void setBestQuality(bool best) { m_bestQuality = best; }
    bool splitRes() const { return m_splitRes; }
    void setSplitRes(bool on);
    bool splitPack() const { return m_splitPack; }
    void setSplitPack(bool on);
    bool tile() const { return m_tile; }
    void setTile(bool on) { m_tile = on; }
    bool rawJpeg() const { return m_rawJpeg; }
    void setRawJpeg(bool on) { m_rawJpeg = on; }
    int compressSelection() const { return m_compressSelection; }
    void setCompressSelection(int index) { m_compressSelection = index; }

    // The edits' texts, stored as typed.
    std::string splitResSizeText;
    std::string splitPackStartText;
    std::string tileWidthText;
    std::string tileHeightText;
    std::array<std::string, kJpegEditCount> jpegTexts;

    // Which edits are enabled.
    bool splitResSizeEnabled() const { return m_splitRes; }
    bool splitPackStartEnabled() const { return m_splitPack; }
    bool tileEditsEnabled() const { return m_tile; }
    bool jpegEditsEnabled() const { return m_rawJpeg; }

    // "差分工程": asks for a project file ("选择差分工程") through platform::interaction() and
    // loads it as loadDifferentialProject does. Returns false when the chooser was cancelled.
    bool chooseDifferentialProject();
    // Loads `path` into a temporary project: when that succeeds its next layer identifier
    // becomes the start edit's text; in any case its picture resource file path becomes the
    // differential project path. Returns whether the load succeeded.
    bool loadDifferentialProject(const std::string& path);
    const std::string& differentialProjectPath() const { return m_differentialProjectPath; }
    const std::string& settingsPath() const { return m_settingsPath; }

    // OK: computes the values of the run and writes every key to the settings file. Returns
    // false when the settings file could not be written (the values are computed anyway and
    // the build may run with them).
    bool accept();

    // The values of the run, valid after accept().
    int quality() const { return m_quality; }
    int splitPackStart() const { return m_splitPackStart; }
    std::int64_t splitSize() const { return m_splitSize; }
    int tileSwitch() const { return m_tile ? 1 : 0; }
    int tileWidth() const { return m_tileWidth; }
    int tileHeight() const { return m_tileHeight; }
    // The packer's compress type for the selection: RLE 1, LZ4 2, none 0.
    int compressType() const { return compressTypeOfSelection(m_compressSelection); }

    // Puts the run's values into `options`: quality, split-pack start, split size, tiles,
    // compress type and the raw-JPEG switch as the dialog left it.
    void applyTo(ResourceBuildOptions& options) const;

private:
    std::string m_settingsPath;
    std::int32_t m_nextLayerId;
    bool m_bestQuality = true;
    bool m_splitRes = false;
    bool m_splitPack = false;
    bool m_tile = false;
    bool m_rawJpeg = false;
    int m_compressSelection = kNoSelection;
    std::string m_differentialProjectPath;

    int m_quality = 1;
    int m_splitPackStart = -1;
    std::int64_t m_splitSize = 0;
    int m_tileWidth = 0;
    int m_tileHeight = 0;
};

} // namespace generate
