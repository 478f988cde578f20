#pragma once

#include "platform/UserInteraction.h"

#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The interaction of every run without a window: the command line, unattended builds, tests
// and benchmarks. Answers come from queues; with nothing queued each question gets its
// default answer and every chooser is cancelled. A cancel queued for a yes/no question answers
// it with no. Messages, questions, choosers and progress phases are recorded (unless told not
// to), and can be echoed as lines to a stream. Work on several threads may share one.
class ScriptedInteraction : public UserInteraction, private ProgressReporter
{
public:
    struct Record
    {
        std::string kind; // "message", "question", "folder", "file", "files", "colour"
        std::string text;
        std::string caption;
    };

    // What goes to the echo stream: nothing, the messages ("message: TEXT"), or everything
    // (also "question: TEXT -> yes|no|cancel" and "folder|file chooser cancelled: TITLE").
    enum class Echo
    {
        Nothing,
        Messages,
        Everything
    };
    // How progress goes to the echo stream.
    enum class ProgressEcho
    {
        None,
        Lines, // each new phase text on a line
        Bar    // the phase with a bar of its position, redrawn on one line (for terminals)
    };

    ScriptedInteraction() = default;
    // Echoes everything to `out` (not owned) and progress as lines, as an unattended run does.
    explicit ScriptedInteraction(std::ostream& out);

    // Lines go to `out` (not owned); null stops them.
    void echoTo(std::ostream* out, Echo what = Echo::Everything);
    void echoProgress(ProgressEcho mode) { m_progressEcho = mode; }
    // Off: nothing is recorded (a long run, a benchmark); answers still come from the queues.
    void keepRecords(bool on) { m_keepRecords = on; }

    void queueAnswer(Answer answer);
    void queuePath(const std::string& path);
    void queueCancel() { queuePath({}); }
    void queueColour(std::uint32_t colour);
    void queueNumber(int number);

    const std::vector<Record>& records() const { return m_records; }
    // Texts of the messages shown so far, in order (questions not included).
    std::vector<std::string> messages() const;
    std::vector<std::string> questions() const;
    // Takes the oldest message not taken yet; false when none is left.
    bool takeMessage(std::string& text);
    const std::vector<std::string>& phases() const { return m_phases; }
    int lastPosition() const { return m_position; }
    // The last items done and total reported (0, 0 before any).
    std::pair<int, int> lastItems() const { return m_items; }
    void clear();

    void showMessage(const std::string& text, const std::string& caption = {},
                     MessageIcon icon = MessageIcon::Warning) override;
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
    // The next queued number, kept within the bounds; nothing when none is queued.
    std::optional<int> askNumber(const std::string& text, const std::string& caption, int initial,
                                 int lower, int upper) override;
    ProgressReporter& progress() override { return *this; }

private:
    void setPhase(const std::string& text) override;
    void setRange(int lower, int upper) override;
    void setPosition(int position) override;
    void setItems(int done, int total) override;
    void finish() override;
    void record(const char* kind, const std::string& text, const std::string& caption);
    Answer nextAnswer(const std::string& text, Answer defaultAnswer, bool cancelAllowed);
    std::optional<std::string> nextPath(const char* chooser, const std::string& title);
    bool echoes(Echo what) const;

    mutable std::recursive_mutex m_mutex;
    std::deque<Answer> m_answers;
    std::deque<std::string> m_paths;
    std::deque<std::uint32_t> m_colours;
    std::deque<int> m_numbers;
    std::vector<Record> m_records;
    std::vector<std::string> m_phases;
    int m_position = 0;
    std::pair<int, int> m_items{0, 0};
    std::size_t m_messagesTaken = 0;
    bool m_keepRecords = true;
    std::ostream* m_echo = nullptr;
    Echo m_echoed = Echo::Nothing;
    ProgressEcho m_progressEcho = ProgressEcho::None;
    // The progress drawn on the echo stream.
    int m_lower = 0;
    int m_upper = 100;
    int m_lastPercent = -1;
    std::string m_phase;
};

} // namespace platform
