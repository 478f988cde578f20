#pragma once

#include "components/packing/PackingTimes.h"
#include "components/packing/PictureCache.h"
#include "generate/BuildSummary.h"
#include "generate/BuildTimings.h"
#include "generate/ResourceBuildOptions.h"

#include <chrono>
#include <memory>

#include <string>
#include <vector>

class APStyleProject;

namespace generate {

class BuildStyleSteps;
class OutputStaging;

// "Build resources": turns a project's pictures and strings into the firmware's resource
// files — the picture resource file (compressed and split as the options say), one string
// file per language, "strvalue.txt", the character sets — after style generation and before
// the style converter and the desktop entry file. All of them, the style file and header
// included, are staged (OutputStaging) and replace the previous ones together at the end. Progress
// goes to platform::interaction().progress(), messages to platform::interaction().
class ResourceBuild
{
public:
    enum class Outcome
    {
        Built,           // every step ran
        BuiltWithErrors, // every step ran, but the style converter or the desktop file failed
        NothingToBuild,  // the project has no pictures and no strings
        Stopped,         // a step failed; every earlier output is as it was
        Cancelled,       // the options' cancel check asked to stop; every earlier output is
                         // as it was and nothing was reported
    };

    // `project` and `style` must outlive the build.
    ResourceBuild(APStyleProject& project, BuildStyleSteps& style, ResourceBuildOptions options);

    Outcome run();
    // Asks whether a modified project is to be saved first, and saves it on yes. A window
    // asks before its progress shows (and sets the options' saveOffered); else run asks.
    static void offerSave(APStyleProject& project);

    // The messages of the failures met, in order (shown to the user as they happened).
    const std::vector<std::string>& errors() const { return m_errors; }
    // Pictures packed though damaged (see PicturePackingPhase::warnings), shown once per build.
    const std::vector<std::string>& warnings() const { return m_warnings; }
    // What the last run wrote and how long it took; empty unless its outputs were put in place.
    const BuildSummary& summary() const { return m_summary; }
    // Where the last run's time went (load not measured here).
    const BuildTimings& timings() const { return m_timings; }

private:
    Outcome runSteps();
    // Opens the picture cache the options ask for.
    void openCache();
    // Trims the cache and says once why it was off, when it turned itself off.
    void closeCache();
    bool checkResources();
    bool packPictures(int identifierBase);
    // Shows the pictures packed though damaged, in one message.
    void reportWarnings(const std::vector<std::string>& warnings);
    bool packStrings(int identifierBase);
    void finishOutputs();
    // Puts the staged outputs in place; on failure says so and returns false.
    bool commit(OutputStaging& staging);
    Outcome stop(const std::string& message);
    // True (and remembered) once the options' cancel check asked to stop.
    bool cancelled();

    APStyleProject& m_project;
    BuildStyleSteps& m_style;
    ResourceBuildOptions m_options;
    int m_total = 0;
    bool m_cancelled = false;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_warnings;
    BuildSummary m_summary;
    std::chrono::steady_clock::time_point m_started;
    std::unique_ptr<packing::PictureCache> m_cache;
    packing::PackingTimes m_packingTimes;
    BuildTimings m_timings;
};

} // namespace generate
