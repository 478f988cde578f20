#include "generate/StyleGenerator.h"

#include "generate/CharacterSetFile.h"
#include "generate/OutputFile.h"
#include "generate/StyleCollector.h"
#include "generate/StyleContentBuilder.h"
#include "generate/StyleFileWriter.h"
#include "generate/StyleHeader.h"
#include "model/APStyleProject.h"
#include "model/ResourceSection.h"
#include "platform/FileSystem.h"
#include "platform/MainWindowSink.h"
#include "platform/Path.h"
#include "platform/Trace.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "projectfile/SettingsAccessor.h"

#include <cstdint>

namespace generate {
namespace {

// True when every "picture" of the document's resource sections already carries the
// "LayerID" that UpdateDocResource would give it (none at all unless `enableLayerId` is 1).
bool layerIdsUpToDate(const APStyleProject& project, const TiXmlElement& root, int enableLayerId)
{
    const auto& layers = project.LayerMap();
    for (const TiXmlElement* section = root.FirstChildElement("resource"); section;
         section = section->NextSiblingElement("resource")) {
        for (const TiXmlElement* picture = section->FirstChildElement("picture"); picture;
             picture = picture->NextSiblingElement("picture")) {
            const char* value = picture->Attribute("value");
            if (!value) {
                continue;
            }
            const char* current = picture->Attribute("LayerID");
            if (enableLayerId != 1) {
                if (current) {
                    return false;
                }
                continue;
            }
            const auto found = layers.find(ResourceSection::StoredForm(project, value, true));
            const std::string wanted = std::to_string(found == layers.end() ? 0 : found->second);
            if (!current || wanted != current) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

StyleGenerator::StyleGenerator(APStyleProject& project) : m_project(project) {}

bool StyleGenerator::fail(const std::string& message, bool show)
{
    m_error = message;
    if (show) {
        platform::interaction().showMessage(message);
    }
    return false;
}

std::size_t StyleGenerator::liveSceneCount() const
{
    std::size_t count = 0;
    for (const auto& scene : m_project.Scenes()) {
        count += scene && !scene->IsDeleted() ? 1 : 0;
    }
    return count;
}

void StyleGenerator::storeHeaderWords(std::size_t scenes)
{
    const auto width = static_cast<std::uint16_t>(m_project.ScreenWidth());
    const auto height = static_cast<std::uint16_t>(m_project.ScreenHeight());
    auto& words = m_project.HeaderWords();
    words[1] = static_cast<std::uint32_t>(scenes);
    words[2] = width | static_cast<std::uint32_t>(height) << 16;
    words[3] = 1;
}

bool StyleGenerator::generate(bool showMessages, bool resetLayerMap)
{
    m_error.clear();
    if (m_unattended && !m_project.ProjectFilePath().empty() &&
        !m_project.Save(m_project.ProjectFilePath())) {
        // The outputs come from the model, not the file: generation goes on.
        platform::trace("Save project file failed\n");
    }
    m_characterSets.clear();
    m_names.clear();

    // The header counts the scenes written: a scene added or deleted since the last save
    // would otherwise make the count disagree with the scene table.
    const std::size_t scenes = liveSceneCount();
    if (scenes == 0) {
        return fail(platform::uiText("工程中没有场景，无法保存sty文件！"), showMessages);
    }
    storeHeaderWords(scenes);
    m_project.UsedPictures().clear();
    m_project.UsedStrings().clear();
    m_project.SetBuildResMode(0);
    if (!collect(showMessages)) {
        return false;
    }
    writeAllLanguageSets();

    platform::notifyMainWindow(platform::kMsgGenerationStep, 0, 0, platform::uiText("校验"));
    if (!writeStyleFile(resetLayerMap, showMessages)) {
        return false;
    }
    platform::notifyMainWindow(platform::kMsgGenerationStep, 0, 0, platform::uiText("保存"));
    if (!writeStyleHeader(m_project.StyleHeader(), m_names, showMessages)) {
        m_error = platform::uiText("创建文件sty.h失败!"); // shown by the header writer
        return false;
    }
    updateLayerIds();
    return true;
}

bool StyleGenerator::collect(bool showMessages)
{
    StyleCollector collector(m_project, showMessages);
    const bool ok = collector.collect();
    // Kept on failure too: the lists and sets hold what the walk reached.
    m_names = std::move(collector.names());
    m_characterSets = std::move(collector.characterSets());
    if (!ok) {
        m_error = collector.error();
    }
    return ok;
}

std::string StyleGenerator::characterSetPrefix() const
{
    // Without a string directory the files would land at the file system's root.
    if (m_project.StringDir().empty()) {
        return {};
    }
    return characterSetFilePrefix(m_project.StringDir(), m_project.ResourceFile());
}

void StyleGenerator::writeAllLanguageSets() const
{
    const std::string prefix = characterSetPrefix();
    if (prefix.empty()) {
        return;
    }
    platform::createDirectories(platform::directoryOf(prefix));
    if (!m_characterSets.writeAllLanguageSets(prefix)) {
        platform::trace("Write character sets failed\n");
    }
}

bool StyleGenerator::writeLanguageCharacterSets(const std::string& languageName,
                                                std::size_t language) const
{
    const std::string prefix = characterSetPrefix();
    return !prefix.empty() && m_characterSets.writeLanguageSets(prefix, languageName, language);
}

bool StyleGenerator::writeStyleFile(bool resetLayerMap, bool showMessages)
{
    StyleContentBuilder builder(m_project, resetLayerMap);
    const std::optional<StyleFileContent> content = builder.build();
    if (!content) {
        return fail(platform::uiText("保存sty文件失败：") + builder.error(), showMessages);
    }
    std::string error;
    const std::optional<std::string> bytes = StyleFileWriter::encode(*content, &error);
    if (!bytes) {
        return fail(platform::uiText("保存sty文件失败：") + error, showMessages);
    }
    const std::string& path = m_project.StyleFile();
    if (path.empty() || !writeOutputFile(path, *bytes)) {
        return fail(platform::uiText("无法创建sty文件：") + path, showMessages);
    }
    // Only a written style file replaces the layer map, so a failed run loses no layer id.
    if (resetLayerMap) {
        m_project.LayerMap() = builder.resetLayers();
        m_project.SetNextLayerId(builder.resetNextLayerId());
    }
    return true;
}

void StyleGenerator::updateLayerIds() const
{
    TiXmlDocument& document = m_project.Document();
    // A project that was never saved has no document to bring up to date.
    if (!document.RootElement() || document.ValueStr().empty()) {
        return;
    }
    const SettingsAccessor settings(m_settingsPath.empty() ? SettingsAccessor::defaultPath()
                                                           : m_settingsPath);
    const int enableLayerId = settings.readInt("CONFIG", "ENABLE_LAYERID");
    // Printing a large project takes longer than the rest of generation: a file that would
    // come out the same is left alone.
    if (layerIdsUpToDate(m_project, *document.RootElement(), enableLayerId)) {
        return;
    }
    m_project.UpdateDocResource(document, enableLayerId);
}

} // namespace generate
