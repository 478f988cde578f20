#include "platform/ScriptedInteraction.h"

#include <algorithm>

namespace platform {

std::vector<std::string> ScriptedInteraction::messages() const
{
    std::vector<std::string> texts;
    for (const Record& record : m_records) {
        if (record.kind == "message") {
            texts.push_back(record.text);
        }
    }
    return texts;
}

std::vector<std::string> ScriptedInteraction::questions() const
{
    std::vector<std::string> texts;
    for (const Record& record : m_records) {
        if (record.kind == "question") {
            texts.push_back(record.text);
        }
    }
    return texts;
}

void ScriptedInteraction::clear()
{
    m_answers.clear();
    m_paths.clear();
    m_colours.clear();
    m_records.clear();
    m_phases.clear();
    m_position = 0;
}

void ScriptedInteraction::showMessage(const std::string& text, const std::string& caption,
                                      MessageIcon)
{
    m_records.push_back({"message", text, caption});
}

Answer ScriptedInteraction::askYesNo(const std::string& text, const std::string& caption,
                                     Answer defaultAnswer)
{
    m_records.push_back({"question", text, caption});
    const Answer answer = nextAnswer(defaultAnswer);
    return answer == Answer::Cancel ? Answer::No : answer;
}

Answer ScriptedInteraction::askYesNoCancel(const std::string& text, const std::string& caption,
                                           Answer defaultAnswer)
{
    m_records.push_back({"question", text, caption});
    return nextAnswer(defaultAnswer);
}

std::optional<std::string> ScriptedInteraction::chooseFolder(const std::string& title,
                                                             const std::string&)
{
    m_records.push_back({"folder", title, {}});
    return nextPath();
}

std::optional<std::string> ScriptedInteraction::chooseFile(FileChooserMode, const std::string&,
                                                           const std::string& title,
                                                           const std::string&)
{
    m_records.push_back({"file", title, {}});
    return nextPath();
}

std::vector<std::string>
ScriptedInteraction::chooseFiles(const std::string&, const std::string& title, const std::string&)
{
    m_records.push_back({"files", title, {}});
    std::vector<std::string> files;
    const std::optional<std::string> queued = nextPath();
    if (!queued) {
        return files;
    }
    std::size_t start = 0;
    while (start <= queued->size()) {
        const std::size_t end = std::min(queued->find('\n', start), queued->size());
        if (end > start) {
            files.push_back(queued->substr(start, end - start));
        }
        start = end + 1;
    }
    return files;
}

std::optional<std::uint32_t> ScriptedInteraction::chooseColour(std::uint32_t)
{
    m_records.push_back({"colour", {}, {}});
    if (m_colours.empty()) {
        return std::nullopt;
    }
    const std::uint32_t colour = m_colours.front();
    m_colours.pop_front();
    return colour;
}

Answer ScriptedInteraction::nextAnswer(Answer defaultAnswer)
{
    if (m_answers.empty()) {
        return defaultAnswer;
    }
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedInteraction::nextPath()
{
    if (m_paths.empty()) {
        return std::nullopt;
    }
    std::string path = m_paths.front();
    m_paths.pop_front();
    if (path.empty()) {
        return std::nullopt;
    }
    return path;
}

} // namespace platform
