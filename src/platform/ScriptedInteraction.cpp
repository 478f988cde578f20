#include "platform/ScriptedInteraction.h"

#include <algorithm>

namespace platform {
namespace {

const char* answerText(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return "yes";
    case Answer::No:
        return "no";
    case Answer::Cancel:
        return "cancel";
    }
    return "";
}

} // namespace

ScriptedInteraction::ScriptedInteraction(std::ostream& out)
{
    echoTo(&out);
    echoProgress(ProgressEcho::Lines);
}

void ScriptedInteraction::echoTo(std::ostream* out, Echo what)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_echo = out;
    m_echoed = what;
}

bool ScriptedInteraction::echoes(Echo what) const
{
    return m_echo != nullptr && m_echoed >= what;
}

void ScriptedInteraction::queueAnswer(Answer answer)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_answers.push_back(answer);
}

void ScriptedInteraction::queuePath(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_paths.push_back(path);
}

void ScriptedInteraction::queueNumber(int number)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_numbers.push_back(number);
}

void ScriptedInteraction::queueColour(std::uint32_t colour)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_colours.push_back(colour);
}

std::vector<std::string> ScriptedInteraction::messages() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
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
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
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
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_answers.clear();
    m_paths.clear();
    m_colours.clear();
    m_numbers.clear();
    m_records.clear();
    m_messagesTaken = 0;
    m_phases.clear();
    m_position = 0;
    m_items = {0, 0};
}

void ScriptedInteraction::record(const char* kind, const std::string& text,
                                 const std::string& caption)
{
    if (m_keepRecords) {
        m_records.push_back({kind, text, caption});
    }
}

void ScriptedInteraction::showMessage(const std::string& text, const std::string& caption,
                                      MessageIcon)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("message", text, caption);
    if (echoes(Echo::Messages)) {
        *m_echo << "message: " << text << '\n';
    }
}

bool ScriptedInteraction::takeMessage(std::string& text)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
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
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("question", text, caption);
    return nextAnswer(text, defaultAnswer, false);
}

Answer ScriptedInteraction::askYesNoCancel(const std::string& text, const std::string& caption,
                                           Answer defaultAnswer)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("question", text, caption);
    return nextAnswer(text, defaultAnswer, true);
}

std::optional<std::string> ScriptedInteraction::chooseFolder(const std::string& title,
                                                             const std::string&)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("folder", title, {});
    return nextPath("folder", title);
}

std::optional<std::string> ScriptedInteraction::chooseFile(FileChooserMode, const std::string&,
                                                           const std::string& title,
                                                           const std::string&)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("file", title, {});
    return nextPath("file", title);
}

std::vector<std::string>
ScriptedInteraction::chooseFiles(const std::string&, const std::string& title, const std::string&)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("files", title, {});
    std::vector<std::string> files;
    const std::optional<std::string> queued = nextPath("file", title);
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
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("colour", {}, {});
    if (m_colours.empty()) {
        return std::nullopt;
    }
    const std::uint32_t colour = m_colours.front();
    m_colours.pop_front();
    return colour;
}

std::optional<int> ScriptedInteraction::askNumber(const std::string& text,
                                                  const std::string& caption, int, int lower,
                                                  int upper)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    record("number", text, caption);
    if (m_numbers.empty()) {
        return std::nullopt;
    }
    const int number = std::clamp(m_numbers.front(), lower, upper);
    m_numbers.pop_front();
    return number;
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
    if (echoes(Echo::Everything)) {
        *m_echo << "question: " << text << " -> " << answerText(answer) << '\n';
    }
    return answer;
}

std::optional<std::string> ScriptedInteraction::nextPath(const char* chooser,
                                                         const std::string& title)
{
    std::string path;
    if (!m_paths.empty()) {
        path = m_paths.front();
        m_paths.pop_front();
    }
    if (path.empty()) {
        if (echoes(Echo::Everything)) {
            *m_echo << chooser << " chooser cancelled: " << title << '\n';
        }
        return std::nullopt;
    }
    return path;
}

void ScriptedInteraction::setPhase(const std::string& text)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (m_keepRecords) {
        m_phases.push_back(text);
    }
    if (m_echo == nullptr || m_progressEcho == ProgressEcho::None || text == m_phase) {
        return;
    }
    if (m_progressEcho == ProgressEcho::Bar && m_lastPercent >= 0) {
        *m_echo << '\n';
    }
    m_phase = text;
    m_lastPercent = -1;
    if (m_progressEcho == ProgressEcho::Lines) {
        *m_echo << text << '\n';
    }
}

void ScriptedInteraction::setRange(int lower, int upper)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_lower = lower;
    m_upper = upper > lower ? upper : lower + 1;
}

void ScriptedInteraction::setPosition(int position)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_position = position;
    if (m_echo == nullptr || m_progressEcho != ProgressEcho::Bar) {
        return;
    }
    const int percent = static_cast<int>(100LL * (position - m_lower) / (m_upper - m_lower));
    if (percent == m_lastPercent) {
        return;
    }
    m_lastPercent = percent;
    const int filled = percent < 0 ? 0 : (percent > 100 ? 30 : percent * 30 / 100);
    *m_echo << '\r' << m_phase << " [" << std::string(filled, '#') << std::string(30 - filled, ' ')
            << "] " << percent << '%' << std::flush;
}

void ScriptedInteraction::setItems(int done, int total)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_items = {done, total};
}

void ScriptedInteraction::finish()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (m_echo != nullptr && m_progressEcho == ProgressEcho::Bar && m_lastPercent >= 0) {
        *m_echo << '\n';
    }
    m_lastPercent = -1;
    m_phase.clear();
}

} // namespace platform
