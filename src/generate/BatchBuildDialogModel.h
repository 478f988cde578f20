#pragma once

#include <string>
#include <vector>

namespace generate {

// The batch build dialog ("Batch Build Resource") without its widgets: the apps directory, six
// switches and the command line of the SDK's batch builder resBuildApp, which builds every
// project below the apps directory. The dialog only collects input; build() or arguments()
// do the rest.
class BatchBuildDialogModel
{
public:
    enum class Result
    {
        StayOpen, // "请指定路径!" was shown
        Close,    // a start was attempted (failures have been shown)
    };

    // Opens for a project whose case directory is `caseDirectory` (native; "" when none):
    // the apps directory is its "apps" folder when that exists, else empty; every switch on
    // except "res .h"; best quality.
    explicit BatchBuildDialogModel(std::string caseDirectory);

    std::string appsDirectory;
    bool desktopFile = true;
    bool resourceFile = true;
    // "res .h": the identifier headers are a transient part of every resource build (written,
    // used and deleted again), so this switch adds nothing to the command line.
    bool resHeader = false;
    bool styleFile = true;
    bool styleHeader = true;
    bool bestQuality = true;

    // "Browse..": the folder picker "请选择apps路径" from the case directory. Returns false
    // when cancelled (the field stays).
    bool browse();

    // The builder's path: the editor's own directory + "resBuildApp".
    static std::string builderPath();
    // The argument list for the builder, program first: -res, -sty, -styhead, -desktop,
    // -minsize as switched, then the apps directory. Each is one argument; nothing is ever
    // parsed by a shell.
    std::vector<std::string> arguments() const;
    // The same list without the program.
    std::vector<std::string> switchArguments() const;

    // Why the builder at `path` cannot be started, before trying: "找不到resBuildApp.exe！"
    // when there is nothing there, "resBuildApp.exe格式错误！" when it is no program (a
    // folder, no execute permission, neither a compiled program nor a "#!" script); ""
    // when it looks startable.
    static std::string builderProblem(const std::string& path);

    // "Build": "请指定路径!" for an empty apps directory; otherwise starts the builder
    // without waiting for it. A missing builder shows "找不到resBuildApp.exe！", one that is no
    // program "resBuildApp.exe格式错误！"; other failures are silent.
    Result build() const;
    // The message for a start that failed with `error` (an errno value), or "" for none.
    static std::string startFailureMessage(int error);

private:
    std::string m_caseDirectory;
};

} // namespace generate
