#include "ScriptInteraction.h"

#include <ostream>

using platform::Answer;

bool ScriptInteraction::takeMessage(std::string& text)
{
    if (m_messages.empty()) {
        return false;
    }
    text = std::move(m_messages.front());
    m_messages.pop_front();
    return true;
}

void ScriptInteraction::showMessage(const std::string& text, const std::string&,
                                    platform::MessageIcon)
{
    m_out << "message: " << text << '\n';
    m_messages.push_back(text);
}

Answer ScriptInteraction::nextAnswer(const std::string& text, Answer defaultAnswer,
                                     bool cancelAllowed)
{
    Answer answer = defaultAnswer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    // A yes/no question cannot take cancel; what an unattended run answers stands in.
    if (answer == Answer::Cancel && !cancelAllowed) {
        answer = defaultAnswer;
    }
    m_out << "question: " << text << " -> "
          << (answer == Answer::Yes  ? "yes"
              : answer == Answer::No ? "no"
                                     : "cancel")
          << '\n';
    return answer;
}

Answer ScriptInteraction::askYesNo(const std::string& text, const std::string&,
                                   Answer defaultAnswer)
{
    return nextAnswer(text, defaultAnswer, false);
}

Answer ScriptInteraction::askYesNoCancel(const std::string& text, const std::string&,
                                         Answer defaultAnswer)
{
    return nextAnswer(text, defaultAnswer, true);
}

std::optional<std::string> ScriptInteraction::nextPath(const std::string& what,
                                                       const std::string& title)
{
    if (m_paths.empty()) {
        m_out << what << " chooser cancelled: " << title << '\n';
        return std::nullopt;
    }
    std::string path = std::move(m_paths.front());
    m_paths.pop_front();
    return path;
}

std::optional<std::string> ScriptInteraction::chooseFolder(const std::string& title,
                                                           const std::string&)
{
    return nextPath("folder", title);
}

std::optional<std::string> ScriptInteraction::chooseFile(platform::FileChooserMode,
                                                         const std::string&,
                                                         const std::string& title,
                                                         const std::string&)
{
    return nextPath("file", title);
}

std::optional<std::uint32_t> ScriptInteraction::chooseColour(std::uint32_t)
{
    return std::nullopt;
}
