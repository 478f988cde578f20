#pragma once

#include <functional>
#include <string>
#include <vector>

namespace editing {

class Workspace;

// One command of the main frame: id, menu text, enabling and checking rules as
// functions of the workspace, and the handler. Commands whose work belongs to the
// shell (files, dialogs, builds, panels) have no handler here; the shell sets it.
struct Command
{
    int id = 0;
    std::string text;
    std::function<bool(Workspace&)> enabled;
    std::function<bool(Workspace&)> checked; // empty: never checked
    std::function<void(Workspace&)> handler; // empty: the shell handles it
};

// The command table of the main frame.
class CommandTable
{
public:
    enum class Result
    {
        Ran,
        Disabled,
        Unknown,
        NoHandler
    };

    CommandTable();

    const std::vector<Command>& Commands() const { return m_commands; }
    // The command with `id`, or null. Owned by the table.
    const Command* Find(int id) const;
    // Sets the handler of `id` (the shell's file, dialog and panel commands);
    // false for an unknown id.
    bool SetHandler(int id, std::function<void(Workspace&)> handler);
    // Sets the check-mark rule of `id` (options and switches the shell keeps); false for an
    // unknown id.
    bool SetChecked(int id, std::function<bool(Workspace&)> checked);
    bool IsEnabled(Workspace& ws, int id) const;
    bool IsChecked(Workspace& ws, int id) const;
    // Runs the command as the menu would: only while it is enabled. The workspace's quiet
    // flag holds for this one run: it is clear afterwards, whether the command ran or not.
    Result Run(Workspace& ws, int id) const;
    // Runs the command as Run does with the quiet flag set, so that its refusals pass
    // silently: the Delete key's delete selected (32782). The flag is clear afterwards.
    Result RunQuietly(Workspace& ws, int id) const;

private:
    std::vector<Command> m_commands;
};

} // namespace editing
