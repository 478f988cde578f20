#pragma once

#include <functional>
#include <string>
#include <vector>

class APStyleProject;
class CZorRes;
struct StringRecord;

namespace platform {
class ProgressReporter;
}

namespace generate {

class BuildStyleSteps;

// The string phase of the resource build: packs the project's used strings, one string file
// per language, with "strvalue.txt", the transient string identifier header and each
// language's character sets.
class StringPackingPhase
{
public:
    // `progressStart`: the progress position of the first string. `cancelRequested`, when
    // given, is asked between strings and before the files are saved.
    StringPackingPhase(APStyleProject& project, BuildStyleSteps& style, int identifierBase,
                       platform::ProgressReporter& progress, int progressStart,
                       std::function<bool()> cancelRequested = {});

    // Runs the phase. Returns false when the build has to stop; error() then holds the
    // message, which has been shown, or cancelled() is true and nothing was shown. Files
    // written before stay; the transient header is gone either way.
    bool run();
    // True when run() stopped because it was asked to.
    bool cancelled() const { return m_cancelled; }

    // Entries the string packer accepted.
    int count() const { return m_count; }
    const std::string& error() const { return m_error; }

    // Returns the bytes the packer gets for `record`: each of its languages' text followed by
    // one NUL; wide texts through the device text converter (`lineBreakMode`: "[CR]" is a
    // line feed instead of a tab). A text is cut at a NUL of its own, which would otherwise
    // shift every later language.
    static std::string stringData(const StringRecord& record, bool lineBreakMode);

private:
    bool saveLanguageFiles(CZorRes& packer);
    bool stop(const std::string& message);
    // True (and remembered) once the cancel check asked to stop.
    bool cancelNow();

    APStyleProject& m_project;
    BuildStyleSteps& m_style;
    int m_base;
    platform::ProgressReporter& m_progress;
    int m_progressStart;
    std::function<bool()> m_cancelRequested;
    bool m_cancelled = false;
    int m_count = 0;
    std::string m_error;
};

} // namespace generate
