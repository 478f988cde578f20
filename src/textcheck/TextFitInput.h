#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class APStyleProject;

namespace textcheck {

// What the text check needs of a project, copied out of it, so that the check can run on
// another thread while the project is being edited.
struct TextFitInput
{
    // The slot of a language that is none of the project's (a pseudo-language).
    static constexpr std::size_t kNoSlot = static_cast<std::size_t>(-1);

    struct Language
    {
        std::size_t slot = 0;
        std::string name;
    };
    struct Element
    {
        // The string element (a SnapShotItem), only to find it again on the project's thread.
        const void* key = nullptr;
        std::string path;
        int width = 0;
        int height = 0;
        int fontHeight = 12;
        bool scrolls = false;
        // Index into `strings`; -1 when the element is bound to no string.
        int string = -1;
    };
    struct String
    {
        std::string name;
        // One text per entry of `languages`.
        std::vector<std::string> texts;
    };

    std::vector<Language> languages;
    std::vector<Element> elements;
    std::vector<String> strings;
    // Why the project cannot be checked as asked (an unknown language); empty when it can.
    std::string problem;

    // Copies what the check needs of `project` for the languages named in `languages` (every
    // named language of the project when empty).
    static TextFitInput From(const APStyleProject& project,
                             const std::vector<std::string>& languages = {});
    // Copies what the check needs of `project` for one made-up language named `name`: each
    // string's text is `make` applied to its first language's text.
    static TextFitInput FromMadeUp(const APStyleProject& project, const std::string& name,
                                   const std::function<std::string(const std::string&)>& make);
};

} // namespace textcheck
