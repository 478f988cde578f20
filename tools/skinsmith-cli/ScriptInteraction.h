#pragma once

#include "platform/UserInteraction.h"

#include <deque>
#include <iosfwd>
#include <string>

// The user interaction of an edit script: messages go to a stream as "message: TEXT" and
// are kept until the script expects them; questions and choosers take the answers the
// script queued, else what an unattended run gives (the default answer, a cancel).
class ScriptInteraction : public platform::UserInteraction, private platform::ProgressReporter
{
public:
    explicit ScriptInteraction(std::ostream& out) : m_out(out) {}

    void queueAnswer(platform::Answer answer) { m_answers.push_back(answer); }
    void queuePath(const std::string& path) { m_paths.push_back(path); }
    // Takes the oldest message not yet taken; false when none is left.
    bool takeMessage(std::string& text);

    void showMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    platform::Answer askYesNo(const std::string& text, const std::string& caption,
                              platform::Answer defaultAnswer) override;
    platform::Answer askYesNoCancel(const std::string& text, const std::string& caption,
                                    platform::Answer defaultAnswer) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> chooseFile(platform::FileChooserMode mode, const std::string& filter,
                                          const std::string& title,
                                          const std::string& startPath) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    platform::ProgressReporter& progress() override { return *this; }

private:
    // Progress of long work is of no interest to a script.
    void setPhase(const std::string&) override {}
    void setRange(int, int) override {}
    void setPosition(int) override {}
    void finish() override {}

    platform::Answer nextAnswer(const std::string& text, platform::Answer defaultAnswer,
                                bool cancelAllowed);
    std::optional<std::string> nextPath(const std::string& what, const std::string& title);

    std::ostream& m_out;
    std::deque<platform::Answer> m_answers;
    std::deque<std::string> m_paths;
    std::deque<std::string> m_messages;
};
