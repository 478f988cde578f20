#include "platform/HeadlessInteraction.h"

#include <ostream>

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

HeadlessInteraction::HeadlessInteraction(std::ostream& out) : m_out(out) {}

void HeadlessInteraction::showMessage(const std::string& text, const std::string&, MessageIcon)
{
    m_out << "message: " << text << '\n';
}

Answer HeadlessInteraction::askYesNo(const std::string& text, const std::string&,
                                     Answer defaultAnswer)
{
    m_out << "question: " << text << " -> " << answerText(defaultAnswer) << '\n';
    return defaultAnswer;
}

Answer HeadlessInteraction::askYesNoCancel(const std::string& text, const std::string& caption,
                                           Answer defaultAnswer)
{
    return askYesNo(text, caption, defaultAnswer);
}

std::optional<std::string> HeadlessInteraction::chooseFolder(const std::string& title,
                                                             const std::string&)
{
    m_out << "folder chooser cancelled: " << title << '\n';
    return std::nullopt;
}

std::optional<std::string> HeadlessInteraction::chooseFile(FileChooserMode, const std::string&,
                                                           const std::string& title,
                                                           const std::string&)
{
    m_out << "file chooser cancelled: " << title << '\n';
    return std::nullopt;
}

std::optional<std::uint32_t> HeadlessInteraction::chooseColour(std::uint32_t)
{
    return std::nullopt;
}

void HeadlessInteraction::setPhase(const std::string& text)
{
    if (text == m_phase) {
        return;
    }
    if (m_progressBar && m_lastPercent >= 0) {
        m_out << '\n';
    }
    m_phase = text;
    m_lastPercent = -1;
    if (!m_progressBar) {
        m_out << text << '\n';
    }
}

void HeadlessInteraction::setRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper > lower ? upper : lower + 1;
}

void HeadlessInteraction::setPosition(int position)
{
    const int percent = static_cast<int>(100LL * (position - m_lower) / (m_upper - m_lower));
    if (!m_progressBar || percent == m_lastPercent) {
        return;
    }
    m_lastPercent = percent;
    const int filled = percent < 0 ? 0 : (percent > 100 ? 30 : percent * 30 / 100);
    m_out << '\r' << m_phase << " [" << std::string(filled, '#') << std::string(30 - filled, ' ')
          << "] " << percent << '%' << std::flush;
}

void HeadlessInteraction::finish()
{
    if (m_progressBar && m_lastPercent >= 0) {
        m_out << '\n';
    }
    m_lastPercent = -1;
    m_phase.clear();
}

} // namespace platform
