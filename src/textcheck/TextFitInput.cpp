#include "textcheck/TextFitInput.h"

#include "model/APStyleProject.h"
#include "model/Snapshot.h"
#include "model/StringSnapShotItem.h"

#include <algorithm>

namespace textcheck {
namespace {

std::vector<TextFitInput::Language> ChooseLanguages(const APStyleProject& project,
                                                    const std::vector<std::string>& wanted,
                                                    std::string& problem)
{
    const std::vector<std::string> named = project.Strings().NamedLanguages();
    std::vector<TextFitInput::Language> chosen;
    if (wanted.empty()) {
        for (std::size_t slot = 0; slot < named.size(); ++slot) {
            chosen.push_back({slot, named[slot]});
        }
        return chosen;
    }
    for (const std::string& name : wanted) {
        const auto it = std::find(named.begin(), named.end(), name);
        if (it == named.end()) {
            std::string known;
            for (const std::string& each : named) {
                known += (known.empty() ? "" : ", ") + each;
            }
            problem = "unknown language \"" + name +
                      "\" (the project has: " + (known.empty() ? std::string("none") : known) + ")";
            return {};
        }
        chosen.push_back({static_cast<std::size_t>(it - named.begin()), name});
    }
    return chosen;
}

class Collector
{
public:
    Collector(const APStyleProject& project, TextFitInput& input)
        : m_project(project), m_input(input)
    {
    }

    void Walk(const SnapShotItem& element, const std::string& parentPath)
    {
        if (element.IsDeleted()) {
            return;
        }
        const std::string path = parentPath + "/" + element.Name();
        if (const auto* text = dynamic_cast<const StringSnapShotItem*>(&element)) {
            Add(*text, path);
        }
        if (const SnapItemList* children = element.Children()) {
            for (const auto& child : *children) {
                Walk(*child, path);
            }
        }
    }

private:
    void Add(const StringSnapShotItem& element, const std::string& path)
    {
        const StringItemInfo info = element.StringInfo();
        TextFitInput::Element entry;
        entry.key = &element;
        entry.path = path;
        entry.width = info.width;
        entry.height = info.height;
        entry.fontHeight = std::max<int>(1, info.fontHeight);
        entry.scrolls = info.textScroll != 0;
        if (info.stringId >= 0) {
            entry.string = m_project.Strings().Find(element.TextStore().identifier);
        }
        m_input.elements.push_back(std::move(entry));
    }

    const APStyleProject& m_project;
    TextFitInput& m_input;
};

void CollectElements(const APStyleProject& project, TextFitInput& input)
{
    Collector collector(project, input);
    for (const auto& scene : project.Scenes()) {
        if (scene->IsDeleted()) {
            continue;
        }
        const SnapItemList& top = scene->Elements();
        for (std::size_t i = 0; i < top.size(); ++i) {
            // The scene's window group stands for the scene itself in paths.
            if (i == 0 && top[i]->Children() && !top[i]->IsDeleted()) {
                for (const auto& child : *top[i]->Children()) {
                    collector.Walk(*child, scene->Name());
                }
            } else {
                collector.Walk(*top[i], scene->Name());
            }
        }
    }
}

} // namespace

TextFitInput TextFitInput::From(const APStyleProject& project,
                                const std::vector<std::string>& languages)
{
    TextFitInput input;
    input.languages = ChooseLanguages(project, languages, input.problem);
    if (!input.problem.empty()) {
        return input;
    }
    for (const StringRecord& record : project.Strings().Records()) {
        String string{record.identifier, {}};
        for (const Language& language : input.languages) {
            string.texts.push_back(record.texts[language.slot]);
        }
        input.strings.push_back(std::move(string));
    }
    CollectElements(project, input);
    return input;
}

TextFitInput TextFitInput::FromMadeUp(const APStyleProject& project, const std::string& name,
                                      const std::function<std::string(const std::string&)>& make)
{
    TextFitInput input;
    input.languages = {{kNoSlot, name}};
    for (const StringRecord& record : project.Strings().Records()) {
        input.strings.push_back({record.identifier, {make(record.texts[0])}});
    }
    CollectElements(project, input);
    return input;
}

} // namespace textcheck
