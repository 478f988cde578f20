#include "generate/StringPackingPhase.h"

#include "components/packing/CZorRes.h"
#include "generate/BuildStyleSteps.h"
#include "generate/DeviceText.h"
#include "generate/IdentifierHeader.h"
#include "generate/OutputFile.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Trace.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>
#include <utility>

namespace generate {
namespace {

bool holdsWideTexts(const StringRecord& record)
{
    return std::any_of(record.wideTexts.begin(), record.wideTexts.end(),
                       [](const std::u16string& text) { return !text.empty(); });
}

} // namespace

StringPackingPhase::StringPackingPhase(APStyleProject& project, BuildStyleSteps& style,
                                       int identifierBase, platform::ProgressReporter& progress,
                                       int progressStart, std::function<bool()> cancelRequested)
    : m_project(project), m_style(style), m_base(identifierBase), m_progress(progress),
      m_progressStart(progressStart), m_cancelRequested(std::move(cancelRequested))
{
}

bool StringPackingPhase::cancelNow()
{
    if (m_cancelRequested && m_cancelRequested()) {
        m_cancelled = true;
    }
    return m_cancelled;
}

bool StringPackingPhase::stop(const std::string& message)
{
    m_error = message;
    platform::interaction().showMessage(message);
    return false;
}

std::string StringPackingPhase::stringData(const StringRecord& record, bool lineBreakMode)
{
    const bool wide = holdsWideTexts(record);
    const std::size_t languages = std::min<std::size_t>(record.textCount, StringRecord::kLanguages);
    std::string data;
    for (std::size_t j = 0; j < languages; ++j) {
        std::string text =
            wide ? toDeviceText(record.wideTexts[j], lineBreakMode) : record.texts[j];
        text.resize(std::min(text.size(), text.find('\0')));
        data += text;
        data += '\0';
    }
    return data;
}

bool StringPackingPhase::run()
{
    m_progress.setPhase(platform::uiText("正在创建字符串资源..."));
    platform::trace("Gen Str file\n");
    // As a file path: the directory itself is created only when its path ends with a
    // separator, as a new project's does.
    const std::string stringDir = nativeOutputPath(m_project.StringDir());
    prepareOutputPath(stringDir);
    const std::string header = m_project.StringHeader();
    if (!writeIdentifierHeader(header, stringIdentifierHeaderText(header, {}, m_base))) {
        m_error = platform::uiText("无法打开文件：") + header;
        return false;
    }
    // Without a string directory the list would land in whatever directory is current.
    const std::string listPath =
        stringDir.empty() ? std::string() : platform::joinPath(stringDir, "strvalue.txt");
    if (!listPath.empty()) {
        platform::removeFile(listPath);
    }

    CZorRes packer;
    const bool lineBreakMode = m_project.SpreadsheetFlag() == 1;
    const auto& used = m_project.UsedStrings();
    const auto& records = m_project.Strings().Records();
    std::string list;
    std::vector<std::string> accepted;
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (cancelNow()) {
            platform::removeFile(nativeOutputPath(header));
            return false;
        }
        const StringRecord& record = records.at(used[i]);
        const std::string data = stringData(record, lineBreakMode);
        const std::string name = "STR" + std::to_string(i + 1);
        const int ok = packer.AddString(name, data.data(), static_cast<int>(data.size()), 1);
        list += record.identifier + " " + std::to_string(i) + "\n";
        if (ok) {
            accepted.push_back(record.identifier);
        }
        m_progress.setPosition(m_progressStart + static_cast<int>(i));
    }
    const bool headerWritten =
        writeIdentifierHeader(header, stringIdentifierHeaderText(header, accepted, m_base));
    if (!listPath.empty()) {
        writeOutputFile(listPath, withCrLf(list));
    }
    platform::removeFile(nativeOutputPath(header));
    if (!headerWritten) {
        m_error = platform::uiText("无法打开文件：") + header;
        return false;
    }
    m_count = packer.GetResNum();
    return !cancelNow() && saveLanguageFiles(packer);
}

bool StringPackingPhase::saveLanguageFiles(CZorRes& packer)
{
    platform::trace("Gen txt file\n");
    const std::string stringDir = nativeOutputPath(m_project.StringDir());
    std::vector<std::string> fileNames;
    const std::vector<std::string> languages = m_project.Strings().NamedLanguages();
    for (std::size_t j = 0; j < languages.size(); ++j) {
        m_style.writeLanguageCharacterSets(languages[j], j);
        const std::string fileName = m_project.Name() + "." + languages[j];
        platform::clearReadOnly(platform::joinPath(stringDir, fileName));
        fileNames.push_back(fileName);
    }
    if (m_count > 0 && !fileNames.empty() && !packer.SaveFileByLanguage(stringDir, fileNames)) {
        return stop(platform::uiText("保存字符串资源文件失败：") + stringDir + "\n" +
                    packer.GetLastError());
    }
    return true;
}

} // namespace generate
