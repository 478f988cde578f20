#pragma once

#include "generate/CharacterSetMap.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class APStyleProject;

namespace generate {

// Style generation: checks a project's scene and element names and resources, rebuilds its
// used-picture and used-string lists, and writes the style file, the style header and the
// all-language character-set files (docs/styles.md). The resource build runs it first and
// then, per language, writeLanguageCharacterSets().
//
// Files written: the project's style file (replaced only once complete, so a failed run
// leaves the previous one), its style header, "<string dir>/txt/<res name>_<height>.txt",
// and the project file (saved first in an unattended build; its layer ids at the end).
class StyleGenerator
{
public:
    explicit StyleGenerator(APStyleProject& project);

    // Set for the unattended build of a project given on the command line: generation then
    // first saves the project file.
    void setUnattended(bool on) { m_unattended = on; }
    // The editor's settings file that ENABLE_LAYERID is read from; by default the one
    // beside the program.
    void setSettingsPath(std::string path) { m_settingsPath = std::move(path); }

    // Runs style generation. With `showMessages` every problem is shown to the user; with
    // `resetLayerMap` the layer map is rebuilt from the picture identifiers written, else
    // pictures keep the layer ids their paths have. Returns true on success; otherwise
    // error() tells why.
    bool generate(bool showMessages, bool resetLayerMap);

    // Writes "<prefix>_<height>_<languageName>.txt" for every font height from the texts of
    // language `language` collected by the last generate(). Returns false when a file could
    // not be written.
    bool writeLanguageCharacterSets(const std::string& languageName, std::size_t language) const;

    // The prefix of the character-set files: string dir + "/txt/" + res file name without
    // ".res"; "" when the project names no string directory.
    std::string characterSetPrefix() const;

    // The names the last generate() gave the style header, in walking order.
    const std::vector<std::string>& names() const { return m_names; }
    const CharacterSetMap& characterSets() const { return m_characterSets; }
    const std::string& error() const { return m_error; }

private:
    std::size_t liveSceneCount() const;
    // The scene count, the screen size and the byte 1 in the project's header words.
    void storeHeaderWords(std::size_t scenes);
    bool collect(bool showMessages);
    void writeAllLanguageSets() const;
    bool writeStyleFile(bool resetLayerMap, bool showMessages);
    void updateLayerIds() const;
    // Records `message` as the error and, when `show`, shows it. Returns false.
    bool fail(const std::string& message, bool show);

    APStyleProject& m_project;
    bool m_unattended = false;
    std::string m_settingsPath;
    std::vector<std::string> m_names;
    CharacterSetMap m_characterSets;
    std::string m_error;
};

} // namespace generate
