#pragma once

#include "platform/UserInteraction.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

// For tests and scripts: answers come from queues, messages and questions are recorded.
// An empty answer queue gives the question's default; an empty chooser queue cancels.
class ScriptedInteraction : public UserInteraction, private ProgressReporter
{
public:
    struct Record
    {
        std::string kind; // "message", "question", "folder", "file", "colour"
        std::string text;
        std::string caption;
    };

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    void queuePath(const std::string& path) { m_paths.push_back(path); }
    void queueCancel() { m_paths.push_back({}); }
    void queueColour(std::uint32_t colour) { m_colours.push_back(colour); }

    const std::vector<Record>& records() const { return m_records; }
    // Texts of the messages shown so far, in order (questions not included).
    std::vector<std::string> messages() const;
    std::vector<std::string> questions() const;
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
    Answer nextAnswer(Answer defaultAnswer);
    std::optional<std::string> nextPath();

    std::deque<Answer> m_answers;
    std::deque<std::string> m_paths;
    std::deque<std::uint32_t> m_colours;
    std::vector<Record> m_records;
    std::vector<std::string> m_phases;
    int m_position = 0;
};

} // namespace platform
