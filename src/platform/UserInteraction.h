#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageIcon
{
    None,
    Information,
    Warning,
    Error,
    Question
};
enum class Answer
{
    Yes,
    No,
    Cancel
};
enum class FileChooserMode
{
    Open,
    Save
};

// Shows the progress of long work (a build, an import): a phase text and a
// position within a range.
class ProgressReporter
{
public:
    virtual ~ProgressReporter() = default;
    virtual void setPhase(const std::string& text) = 0;
    virtual void setRange(int lower, int upper) = 0;
    virtual void setPosition(int position) = 0;
    // How many of the phase's `total` items (pictures, strings) are done, where the display
    // has room to say so.
    virtual void setItems(int /*done*/, int /*total*/) {}
    virtual void finish() = 0;
};

// Every question and message of the core goes through this seam, so that
// commands run headless, in tests and behind the Qt dialogs alike.
class UserInteraction
{
public:
    virtual ~UserInteraction() = default;

    virtual void showMessage(const std::string& text, const std::string& caption = {},
                             MessageIcon icon = MessageIcon::Warning) = 0;
    // Returns Yes or No. `defaultAnswer` is what an unattended run answers.
    virtual Answer askYesNo(const std::string& text, const std::string& caption,
                            Answer defaultAnswer) = 0;
    // Returns Yes, No or Cancel. `defaultAnswer` is what an unattended run answers.
    virtual Answer askYesNoCancel(const std::string& text, const std::string& caption,
                                  Answer defaultAnswer) = 0;
    // Returns the chosen folder (native path), or nothing when cancelled.
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
    // Returns the chosen file (native path), or nothing when cancelled. `filter`
    // uses the "Description|*.ext|...|" form.
    virtual std::optional<std::string> chooseFile(FileChooserMode mode, const std::string& filter,
                                                  const std::string& title,
                                                  const std::string& startPath) = 0;
    // Returns the files chosen in one open-file dialog with multiple selection (native
    // paths), or none when cancelled. By default a single-choice dialog.
    virtual std::vector<std::string>
    chooseFiles(const std::string& filter, const std::string& title, const std::string& startPath)
    {
        std::vector<std::string> files;
        if (auto file = chooseFile(FileChooserMode::Open, filter, title, startPath)) {
            files.push_back(*file);
        }
        return files;
    }
    // Returns the chosen colour (0xAABBGGRR), or nothing when cancelled.
    virtual std::optional<std::uint32_t> chooseColour(std::uint32_t initial) = 0;
    // Asks for a whole number between `lower` and `upper`, starting from `initial`; nothing when
    // cancelled. An unattended run cancels.
    virtual std::optional<int> askNumber(const std::string& text, const std::string& caption,
                                         int initial, int lower, int upper) = 0;
    virtual ProgressReporter& progress() = 0;
};

// The interaction the core talks to: the one installed for the calling thread
// (ScopedThreadInteraction), else the process-wide one. Never null: a headless
// one until the application or a test installs another.
UserInteraction& interaction();

// Installs `replacement` (not owned) as the process-wide interaction; null
// restores the headless default.
void setInteraction(UserInteraction* replacement);

// Installs an interaction for the lifetime of this object, then restores the previous one.
class ScopedInteraction
{
public:
    explicit ScopedInteraction(UserInteraction& replacement);
    ~ScopedInteraction();
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;

private:
    UserInteraction* m_previous;
};

// Installs an interaction for the calling thread alone, for the lifetime of this object: work
// on a worker thread that must stay quiet leaves the rest of the program its interaction.
class ScopedThreadInteraction
{
public:
    explicit ScopedThreadInteraction(UserInteraction& replacement);
    ~ScopedThreadInteraction();
    ScopedThreadInteraction(const ScopedThreadInteraction&) = delete;
    ScopedThreadInteraction& operator=(const ScopedThreadInteraction&) = delete;

private:
    UserInteraction* m_previous;
};

} // namespace platform
