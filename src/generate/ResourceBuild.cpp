#include "generate/ResourceBuild.h"

#include "components/packing/PictureEncoder.h"
#include "generate/BuildStyleSteps.h"
#include "generate/IdentifierBase.h"
#include "generate/OutputStaging.h"
#include "generate/PicturePackingPhase.h"
#include "generate/StringPackingPhase.h"
#include "model/APStyleProject.h"
#include "platform/Path.h"
#include "platform/Trace.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "projectfile/StringImporter.h"

namespace generate {
namespace {

// Hides the progress display however the build ends.
class ProgressShown
{
public:
    explicit ProgressShown(platform::ProgressReporter& progress) : m_progress(progress) {}
    ~ProgressShown() { m_progress.finish(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    platform::ProgressReporter& m_progress;
};

double secondsSince(std::chrono::steady_clock::time_point& start)
{
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - start).count();
    start = now;
    return seconds;
}

double seconds(const std::atomic<std::int64_t>& nanoseconds)
{
    return static_cast<double>(nanoseconds.load()) / 1e9;
}

} // namespace

ResourceBuild::ResourceBuild(APStyleProject& project, BuildStyleSteps& style,
                             ResourceBuildOptions options)
    : m_project(project), m_style(style), m_options(options)
{
}

ResourceBuild::Outcome ResourceBuild::stop(const std::string& message)
{
    if (!message.empty()) {
        m_errors.push_back(message);
    }
    return Outcome::Stopped;
}

bool ResourceBuild::cancelled()
{
    if (m_options.cancelled()) {
        m_cancelled = true;
    }
    return m_cancelled;
}

ResourceBuild::Outcome ResourceBuild::run()
{
    m_errors.clear();
    m_warnings.clear();
    m_summary = {};
    m_timings = {};
    m_packingTimes.reset();
    m_started = std::chrono::steady_clock::now();
    m_cancelled = false;
    openCache();
    const Outcome outcome = runSteps();
    closeCache();
    return outcome;
}

void ResourceBuild::openCache()
{
    m_cache.reset();
    if (!m_options.useCache) {
        return;
    }
    const std::string directory = m_options.cacheDirectory.empty()
                                      ? packing::PictureCache::defaultDirectory()
                                      : m_options.cacheDirectory;
    m_cache = std::make_unique<packing::PictureCache>(directory, m_options.cacheLimit);
}

void ResourceBuild::closeCache()
{
    if (!m_cache) {
        return;
    }
    if (m_cache->enabled()) {
        // A build that added nothing to the cache cannot have put it over its limit.
        if (m_cache->grew()) {
            m_cache->trim();
        }
    } else {
        platform::interaction().showMessage(
            platform::uiText("图片缓存已关闭，本次生成未使用缓存：") + m_cache->problem(), {},
            platform::MessageIcon::Warning);
    }
    m_cache.reset();
}

ResourceBuild::Outcome ResourceBuild::runSteps()
{
    // Checked first: the packer would refuse every picture and leave an empty file.
    if (!packing::PictureEncoder::isSupportedFormat(m_options.format)) {
        const std::string message = platform::formatText(
            platform::uiText("图片格式无效（RES_FORMAT=%d），无法创建资源文件！"),
            static_cast<int>(m_options.format));
        platform::interaction().showMessage(message);
        return stop(message);
    }
    if (cancelled()) {
        return Outcome::Cancelled;
    }
    if (!checkResources()) {
        return Outcome::Stopped;
    }
    const int base = identifierBase(m_project.BuildResType());
    if (!m_options.saveOffered) {
        offerSave(m_project);
    }
    if (cancelled()) {
        return Outcome::Cancelled;
    }
    // Every output of this build is written aside and replaces the previous ones together at
    // the end: a build that stops half way leaves the firmware a consistent older set.
    OutputStaging staging;
    staging.removeStaleParts(platform::storedToNative(m_project.ResourceFile()));
    staging.exclude(platform::storedToNative(m_project.PictureHeader()));
    staging.exclude(platform::storedToNative(m_project.StringHeader()));
    auto phaseStart = std::chrono::steady_clock::now();
    const bool styled = m_style.generateStyle(!m_options.splitPack());
    m_timings.style = secondsSince(phaseStart);
    if (!styled) {
        const std::string message = platform::uiText("保存sty文件失败，无法创建资源文件！");
        platform::interaction().showMessage(message);
        return stop(message);
    }
    if (cancelled()) {
        return Outcome::Cancelled;
    }
    m_total = static_cast<int>(m_project.Strings().Size() + 5 * m_project.Pictures().Size());
    if (m_total == 0) {
        return commit(staging) ? Outcome::NothingToBuild : Outcome::Stopped;
    }
    platform::ProgressReporter& progress = platform::interaction().progress();
    ProgressShown shown(progress);
    progress.setRange(0, m_total);
    const bool pictures = packPictures(base);
    m_timings.pictures = secondsSince(phaseStart);
    if (!pictures || cancelled() || !packStrings(base)) {
        return m_cancelled ? Outcome::Cancelled : Outcome::Stopped;
    }
    m_timings.strings = secondsSince(phaseStart);
    if (cancelled()) {
        return Outcome::Cancelled;
    }
    finishOutputs();
    // The last chance: once committed, the new outputs are in place.
    if (cancelled()) {
        return Outcome::Cancelled;
    }
    const bool committed = commit(staging);
    m_timings.write = secondsSince(phaseStart);
    if (!committed) {
        return Outcome::Stopped;
    }
    progress.setPosition(m_total);
    return m_errors.empty() ? Outcome::Built : Outcome::BuiltWithErrors;
}

bool ResourceBuild::commit(OutputStaging& staging)
{
    if (staging.commit()) {
        m_summary = BuildSummary::Of(
            staging.committed(),
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count());
        return true;
    }
    const std::string message =
        platform::uiText("无法替换生成的文件，原有文件均未改变：\n") + staging.error();
    platform::interaction().showMessage(message);
    m_errors.push_back(message);
    return false;
}

bool ResourceBuild::checkResources()
{
    m_project.MarkMissingPictures();
    if (!m_project.Pictures().Missing().empty()) {
        m_errors.push_back(platform::uiText("某些图片无法找到，这些图片在列表中已显示红色！"));
        return false;
    }
    // The string tables are read again from their source files.
    m_project.MarkMissingStrings(projectfile::DefaultStringImporter(m_project));
    if (!m_project.Strings().Missing().empty()) {
        m_errors.push_back(platform::uiText("某些字符串无法找到，这些字符串在列表中已显示红色！"));
        return false;
    }
    return true;
}

void ResourceBuild::offerSave(APStyleProject& project)
{
    if (!project.Modified()) {
        return;
    }
    const platform::Answer answer = platform::interaction().askYesNo(
        platform::uiText("工程已被修改，需要保存？"), {}, platform::Answer::Yes);
    if (answer != platform::Answer::Yes) {
        return;
    }
    // Clearing the flag without saving would drop the changes from the next save prompt.
    if (project.Save(project.ProjectFilePath())) {
        project.SetModified(0);
    } else {
        platform::interaction().showMessage(platform::uiText("保存工程失败：") +
                                            project.ProjectFilePath());
    }
}

bool ResourceBuild::packPictures(int identifierBase)
{
    PicturePackingPhase phase(m_project, m_options, identifierBase,
                              platform::interaction().progress());
    phase.setEntryCache(m_cache.get());
    phase.setTimes(&m_packingTimes);
    const bool packed = phase.run();
    m_timings.pictureCount = phase.fullCount() + phase.splitPackCount();
    m_timings.decode = seconds(m_packingTimes.decodeNs);
    m_timings.convert = seconds(m_packingTimes.convertNs);
    m_timings.compress = seconds(m_packingTimes.compressNs);
    m_timings.cache = seconds(m_packingTimes.cacheNs);
    m_timings.cacheHits = m_packingTimes.cacheHits;
    m_timings.cacheMisses = m_packingTimes.cacheMisses;
    if (!packed) {
        if (phase.cancelled()) {
            m_cancelled = true;
        } else {
            m_errors.push_back(phase.error());
        }
        return false;
    }
    reportWarnings(phase.warnings());
    return true;
}

void ResourceBuild::reportWarnings(const std::vector<std::string>& warnings)
{
    if (warnings.empty()) {
        return;
    }
    m_warnings = warnings;
    std::string message = platform::uiText("以下图片已损坏，已按解码结果打包：");
    for (const std::string& warning : warnings) {
        message += "\n" + warning;
    }
    platform::interaction().showMessage(message, {}, platform::MessageIcon::Warning);
}

bool ResourceBuild::packStrings(int identifierBase)
{
    const int start = static_cast<int>(5 * m_project.Pictures().Size());
    StringPackingPhase phase(m_project, m_style, identifierBase, platform::interaction().progress(),
                             start, m_options.cancelRequested);
    if (!phase.run()) {
        if (phase.cancelled()) {
            m_cancelled = true;
            return false;
        }
        m_errors.push_back(phase.error());
        return false;
    }
    return true;
}

void ResourceBuild::finishOutputs()
{
    platform::trace("Save Style\n");
    if (!m_style.runStyleConverter(m_project.ResourceFile())) {
        // The converter has printed its problems; the build goes on but does not pass.
        const std::string message = platform::uiText("运行样式转换工具sty_conv失败！");
        platform::interaction().showMessage(message);
        m_errors.push_back(message);
    }
    if (m_project.Desktop().create != 0 && !m_style.writeDesktopFile()) {
        const std::string message =
            platform::uiText("生成.desktop文件失败！\n请确认.desktop相关的设置是否正确");
        platform::interaction().showMessage(message);
        m_errors.push_back(message);
    }
}

} // namespace generate
