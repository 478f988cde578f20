#pragma once

#include "platform/UserInteraction.h"

#include <deque>
#include <ostream>
#include <string>
#include <vector>

namespace platform {

// For tests and scripts (skinsmith-cli edit): answers come from queues, messages and
// questions are recorded. An empty answer queue gives the question's default; an empty
// chooser queue cancels; a cancel queued for a yes/no question answers it with no. With an echo
// stream every message, question with its answer and cancelled chooser is also written there as a
// line.
class ScriptedInteraction : public UserInteraction, private ProgressReporter
{
public:
    struct Record
    {
        std::string kind; // "message", "question", "folder", "file", "colour"
        std::string text;
        std::string caption;
    };

    // Lines go to `out` (not owned) as "message: TEXT", "question: TEXT -> yes|no|cancel"
    // and "folder|file chooser cancelled: TITLE"; null stops them.
    void echoTo(std::ostream* out) { m_echo = out; }

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    void queuePath(const std::string& path) { m_paths.push_back(path); }
    void queueCancel() { m_paths.push_back({}); }
    void queueColour(std::uint32_t colour) { m_colours.push_back(colour); }

    const std::vector<Record>& records() const { return m_records; }
    // Texts of the messages shown so far, in order (questions not included).
    std::vector<std::string> messages() const;
    std::vector<std::string> questions() const;
    // Takes the oldest message not taken yet; false when none is left.
    bool takeMessage(std::string& text);
    const std::vector<std::string>& phases() const { return m_phases; }
    int lastPosition() const { return m_position; }
    void clear();

    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    Answer askYesNo(const std::string& text, const std::string& caption,
                    Answer defaultAnswer) override;
    Answer askYesNoCancel(const std::string& text, const std::string& caption,
                          Answer defaultAnswer) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> chooseFile(FileChooserMode mode, const std::string& filter,
                                          const std::string& title,
                                          const std::string& startPath) override;
    // Takes the next queued path and splits it at line feeds: several files at once.
    std::vector<std::string> chooseFiles(const std::string& filter, const std::string& title,
                                         const std::string& startPath) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    ProgressReporter& progress() override { return *this; }

private:
    void setPhase(const std::string& text) override { m_phases.push_back(text); }
    void setRange(int, int) override {}
    void setPosition(int position) override { m_position = position; }
    void finish() override {}
    Answer nextAnswer(const std::string& text, Answer defaultAnswer, bool cancelAllowed);
    std::optional<std::string> nextPath(const char* kind, const std::string& title);

    std::deque<Answer> m_answers;
    std::deque<std::string> m_paths;
    std::deque<std::uint32_t> m_colours;
    std::vector<Record> m_records;
    std::vector<std::string> m_phases;
    int m_position = 0;
    std::size_t m_messagesTaken = 0;
    std::ostream* m_echo = nullptr;
};

} // namespace platform
