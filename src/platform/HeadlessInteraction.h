#pragma once

#include "platform/UserInteraction.h"

#include <iosfwd>

namespace platform {

// For unattended runs: messages and progress go to standard error ("message: TEXT"),
// each question gets its documented default answer, choosers are cancelled.
class HeadlessInteraction : public UserInteraction, private ProgressReporter
{
public:
    explicit HeadlessInteraction(std::ostream& out);

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
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    ProgressReporter& progress() override { return *this; }

    // Draws progress as a bar on one line (for terminals) instead of one line per step.
    void setProgressBar(bool on) { m_progressBar = on; }

private:
    void setPhase(const std::string& text) override;
    void setRange(int lower, int upper) override;
    void setPosition(int position) override;
    void finish() override;

    std::ostream& m_out;
    bool m_progressBar = false;
    int m_lower = 0;
    int m_upper = 100;
    int m_lastPercent = -1;
    std::string m_phase;
};

} // namespace platform
