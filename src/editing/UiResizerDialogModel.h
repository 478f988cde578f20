#pragma once

#include <string>
#include <vector>

namespace editing {

// The UI resizer dialog ("启动ui缩放程序") without its widgets: the sizes, the apps directories
// and folder names that the SDK's resizeimage takes, its checks and messages, and its command
// line as an argument list (started without a shell, so no path or name can run a command).
class UiResizerDialogModel
{
public:
    // `caseDirectory`: the open project's case directory (native), "" when none is open; the
    // source apps directory is its "apps" folder then.
    explicit UiResizerDialogModel(const std::string& caseDirectory);

    int sourceWidth = 320;
    int sourceHeight = 240;
    int destinationWidth = 320;
    int destinationHeight = 240;
    std::string sourceAppsDirectory;
    std::string destinationAppsDirectory;
    std::string resourceDirectory = "..\\resource"; // relative to the apps directories
    std::string uprightFolder = "PIC";
    std::string sidewaysFolder = "PICH";

    // "Browse..." of the source and destination: the folder picker titled "请选择源APPS路径"
    // and "请选择目标APPS路径", from the field's value. Return false when cancelled.
    bool browseSource();
    bool browseDestination();

    // OK: the checks, each with its message ("请填完所有路径及名字！", "源和目的的宽高都不能为0！",
    // "src apps路径不存在！", "Res dir必须是相对路径！"), then the overwrite question when source
    // and destination resource directories are the same (compared without regard to case).
    // Returns true when the resizer may be started (the dialog closes).
    bool accept();

    // The "string = ..." parameter text resizeimage reads.
    std::string parameterText() const;
    // The argument list: the resizer (the editor's own directory + "resizeimage") and the
    // parameter text as one argument.
    std::vector<std::string> arguments() const;
    // Starts the resizer without waiting for it (a background thread reaps it). Returns false
    // when it could not be started.
    bool start() const;

    // The canonical resource directories that accept() compares.
    std::string sourceResourceDirectory() const;
    std::string destinationResourceDirectory() const;
};

} // namespace editing
