#pragma once

#include <cstddef>
#include <string>

namespace generate {

// What the resource build needs of style generation, in the order it calls them: generate
// the style (which also rebuilds the project's used-picture and used-string lists), write
// each language's character sets, run the style converter, write the desktop entry file.
// ProjectStyleSteps is the project's real one; tests may put their own in its place.
class BuildStyleSteps
{
public:
    virtual ~BuildStyleSteps() = default;

    // Runs style generation with its messages shown; `resetLayerMap` when there is no split
    // pack. Returns false when it failed (it has said why).
    virtual bool generateStyle(bool resetLayerMap) = 0;
    // Writes the character-set files of language `language` named `languageName`. Returns
    // false when a file could not be written.
    virtual bool writeLanguageCharacterSets(const std::string& languageName,
                                            std::size_t language) = 0;
    // Runs the SDK's style converter over the style file and `resFile`, and waits for it.
    // Returns false when it could not run or found problems (it reports them itself).
    virtual bool runStyleConverter(const std::string& resFile) = 0;
    // Writes the project's desktop entry file (the caller checks its switch). Returns false
    // when it could not be written.
    virtual bool writeDesktopFile() = 0;
};

} // namespace generate
