#include "generate/DesktopEntryWriter.h"

#include "generate/OutputFile.h"
#include "platform/CodePage.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

namespace generate {
namespace {

const char* typeName(std::int32_t type)
{
    switch (type) {
    case 0:
        return "Application";
    case 1:
        return "Directory";
    default:
        return nullptr;
    }
}

// Settings arrive as UTF-8, or as code page 936 bytes from older project files; the file is
// UTF-8 either way.
std::string line(const char* key, const std::string& value)
{
    return std::string(key) + "=" + platform::textAsShown(value) + "\r\n";
}

std::string line(const char* key, std::int32_t value)
{
    return std::string(key) + "=" + std::to_string(value) + "\r\n";
}

bool fail(const std::string& message)
{
    platform::interaction().showMessage(message);
    return false;
}

} // namespace

DesktopEntryWriter::DesktopEntryWriter(std::vector<std::string> languageNames, bool lineBreakMode,
                                       StringTexts stringTexts)
    : m_languageNames(std::move(languageNames)), m_lineBreakMode(lineBreakMode),
      m_stringTexts(std::move(stringTexts))
{
}

std::string DesktopEntryWriter::fileContent(const DesktopEntrySettings& settings,
                                            const std::vector<LanguageText>& nameTexts) const
{
    const char* type = typeName(settings.type);
    std::string out = "\xEF\xBB\xBF[Desktop Entry]\r\n";
    out += line("Comment", settings.comment);
    out += line("Path", settings.execDir);
    out += line("Type", type ? std::string(type) : std::to_string(settings.type));
    out += line("Child", settings.child);
    out += line("Exec", settings.exec);
    out += line("Icon-id", settings.iconId);
    out += line("Icon", settings.icon);
    out += line("Name-id", settings.nameId);
    out += line("Name", settings.name);
    for (std::size_t j = 0; j < nameTexts.size(); ++j) {
        // A text without a language name would give a "Name[]" key the launcher cannot use.
        if (j >= m_languageNames.size() || m_languageNames[j].empty()) {
            continue;
        }
        out += "Name[" + platform::textAsShown(m_languageNames[j]) +
               "]=" + deviceBytes(nameTexts[j], m_lineBreakMode) + "\r\n";
    }
    return out;
}

bool DesktopEntryWriter::write(const DesktopEntrySettings& settings) const
{
    if (settings.create == 0) {
        return false;
    }
    if (settings.path.empty()) {
        return fail(platform::uiText("请指定desktop文件的保存路径！"));
    }
    if (settings.nameStringId.empty()) {
        return fail(platform::uiText("请指定desktop文件的字符串资源名字！"));
    }
    if (!typeName(settings.type)) {
        return fail(platform::formatText(platform::uiText("desktop文件的类型无效：%d"),
                                         static_cast<int>(settings.type)));
    }
    std::optional<std::vector<LanguageText>> texts;
    if (m_stringTexts) {
        texts = m_stringTexts(settings.nameStringId);
    }
    if (!texts) {
        platform::interaction().showMessage(
            platform::formatText(platform::uiText("找不到名为\"%s\"字符串资源！"),
                                 platform::textAsShown(settings.nameStringId).c_str()));
    }
    const std::string content = fileContent(settings, texts ? *texts : std::vector<LanguageText>());
    if (!writeOutputFile(settings.path, content)) {
        return fail(platform::uiText("打开/创建desktop文件失败！"));
    }
    return true;
}

bool DesktopEntryWriter::writeAndReport(const DesktopEntrySettings& settings) const
{
    if (!write(settings)) {
        return false;
    }
    platform::interaction().showMessage(platform::uiText("生成.desktop文件成功！"), {},
                                        platform::MessageIcon::Information);
    return true;
}

} // namespace generate
