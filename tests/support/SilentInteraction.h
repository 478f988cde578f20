#pragma once

#include "platform/UserInteraction.h"

#include <cstdio>

namespace testsupport {

// Shows nothing (or only the messages, on `messages`), answers every question with its
// default, cancels the choosers and drops progress. It keeps no state, so work on several
// threads may share one; benchmarks use it so that only the work is measured.
class SilentInteraction : public platform::UserInteraction, private platform::ProgressReporter
{
public:
    // `messages`: where "message: TEXT" lines go, or null for nowhere. Not owned.
    explicit SilentInteraction(std::FILE* messages = nullptr) : m_messages(messages) {}

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
    void setPhase(const std::string&) override {}
    void setRange(int, int) override {}
    void setPosition(int) override {}
    void finish() override {}

    std::FILE* const m_messages;
};

} // namespace testsupport
