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
    m_messagesTaken = 0;
    m_phases.clear();
    m_position = 0;
}

void ScriptedInteraction::showMessage(const std::string& text, const std::string& caption,
                                      MessageIcon)
{
    m_records.push_back({"message", text, caption});
    if (m_echo != nullptr) {
        *m_echo << "message: " << text << '\n';
    }
}

bool ScriptedInteraction::takeMessage(std::string& text)
{
    std::size_t seen = 0;
    for (const Record& record : m_records) {
        if (record.kind == "message" && seen++ == m_messagesTaken) {
            text = record.text;
            ++m_messagesTaken;
            return true;
        }
    }
    return false;
}

Answer ScriptedInteraction::askYesNo(const std::string& text, const std::string& caption,
                                     Answer defaultAnswer)
{
    m_records.push_back({"question", text, caption});
    return nextAnswer(text, defaultAnswer, false);
}

Answer ScriptedInteraction::askYesNoCancel(const std::string& text, const std::string& caption,
                                           Answer defaultAnswer)
{
    m_records.push_back({"question", text, caption});
    return nextAnswer(text, defaultAnswer, true);
}

std::optional<std::string> ScriptedInteraction::chooseFolder(const std::string& title,
                                                             const std::string&)
{
    m_records.push_back({"folder", title, {}});
    return nextPath("folder", title);
}

std::optional<std::string> ScriptedInteraction::chooseFile(FileChooserMode, const std::string&,
                                                           const std::string& title,
                                                           const std::string&)
{
    m_records.push_back({"file", title, {}});
    return nextPath("file", title);
}

std::vector<std::string>
ScriptedInteraction::chooseFiles(const std::string&, const std::string& title, const std::string&)
{
    m_records.push_back({"files", title, {}});
    std::vector<std::string> files;
    const std::optional<std::string> queued = nextPath("files", title);
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

Answer ScriptedInteraction::nextAnswer(const std::string& text, Answer defaultAnswer,
                                       bool cancelAllowed)
{
    Answer answer = defaultAnswer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    if (answer == Answer::Cancel && !cancelAllowed) {
        answer = Answer::No;
    }
    if (m_echo != nullptr) {
        *m_echo << "question: " << text << " -> "
                << (answer == Answer::Yes  ? "yes"
                    : answer == Answer::No ? "no"
                                           : "cancel")
                << '\n';
    }
    return answer;
}

std::optional<std::string> ScriptedInteraction::nextPath(const char* kind, const std::string& title)
{
    std::string path;
    if (!m_paths.empty()) {
        path = m_paths.front();
        m_paths.pop_front();
    }
    if (path.empty()) {
        if (m_echo != nullptr) {
            *m_echo << kind << " chooser cancelled: " << title << '\n';
        }
        return std::nullopt;
    }
    return path;
}

} // namespace platform
