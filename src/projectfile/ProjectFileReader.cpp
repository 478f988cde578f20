#include "projectfile/ProjectFileReader.h"

#include "model/DesktopSettings.h"
#include "platform/FileSystem.h"
#include "platform/MainWindowSink.h"
#include "platform/Path.h"
#include "platform/ProgramDirectory.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "projectfile/ElementReader.h"
#include "projectfile/ProjectXml.h"
#include "projectfile/XmlText.h"
#include "projectfile/ProjectTables.h"
#include "projectfile/StringImporter.h"

#include <cstring>
#include <optional>

using namespace projectfile;

namespace {

const char kMalformed[] = N_("ui文件格式不正确");
const char kErrorCaption[] = N_("错误");

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::size_t length = std::strlen(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

// A relative path is taken from the current directory: the project directory must be a
// real directory, not the file name itself.
std::string AbsoluteFrom(const std::string& path)
{
    if (platform::isAbsolutePath(path)) {
        return path;
    }
    return platform::joinPath(platform::currentDirectory(), path);
}

// The text as TinyXML's own file loading would give it to the parser: CR LF and lone CR
// made line feeds.
std::string WithLineFeeds(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            text += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            text += bytes[i];
        }
    }
    return text;
}

bool StartsWithByteOrderMark(const std::string& text)
{
    return text.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// Makes the project the current one while it loads (its elements look their texts up
// there), and puts the previous one back.
class CurrentProjectScope
{
public:
    explicit CurrentProjectScope(APStyleProject& project) : m_previous(APStyleProject::Current())
    {
        APStyleProject::SetCurrent(&project);
    }
    ~CurrentProjectScope() { APStyleProject::SetCurrent(m_previous); }
    CurrentProjectScope(const CurrentProjectScope&) = delete;
    CurrentProjectScope& operator=(const CurrentProjectScope&) = delete;

private:
    APStyleProject* m_previous;
};

} // namespace

class ProjectFileReader::Impl
{
public:
    explicit Impl(APStyleProject& project) : m_project(project) {}

    int Load(const std::string& path);

    APStyleProject& m_project;
    std::optional<std::string> m_definitionDirectory;
    StringFileImporter m_importer;
    std::string m_error;

private:
    bool Fail(const std::string& text, const std::string& caption = {});
    bool ParseFile(const std::string& path);
    TiXmlElement* CheckRoot();
    void ReadDefinitions();
    void ReadSettings(const TiXmlElement& root);
    bool FindCaseDirectory();
    bool FindSdkDirectory();
    // Asks for a directory that is missing; returns the chosen one, or nothing.
    std::optional<std::string> ChooseAgain(const std::string& title);
    void ReadOutputPaths(const TiXmlElement& root);
    void ReadDesktop(const TiXmlElement& root);
    void ReadResources(const TiXmlElement& root);
    bool ReadScenes(TiXmlElement& root);

    std::string m_caseValue;
    std::string m_sdkValue;
};

bool ProjectFileReader::Impl::Fail(const std::string& text, const std::string& caption)
{
    m_error = text;
    platform::interaction().showMessage(text, caption, platform::MessageIcon::Error);
    return false;
}

int ProjectFileReader::Impl::Load(const std::string& path)
{
    m_error.clear();
    CurrentProjectScope current(m_project);
    const std::string absolute = AbsoluteFrom(path);
    m_project.SetProjectFilePath(absolute);
    m_project.SetProjectDir(platform::canonicalPath(platform::directoryOf(absolute)));
    m_project.ResetIdCounter();
    m_project.SetModified(0);

    if (!ParseFile(absolute)) {
        return 0;
    }
    TiXmlElement* root = CheckRoot();
    if (!root) {
        return 0;
    }
    ReadDefinitions();
    ReadSettings(*root);
    if (!FindCaseDirectory() || !FindSdkDirectory()) {
        return 0;
    }
    ReadOutputPaths(*root);
    ReadDesktop(*root);
    ReadResources(*root);
    if (!ReadScenes(*root)) {
        return 0;
    }
    platform::notifyMainWindow(platform::kMsgResizeSurface, m_project.ScreenWidth(),
                               m_project.ScreenHeight());
    return 1;
}

bool ProjectFileReader::Impl::ParseFile(const std::string& path)
{
    TiXmlDocument& document = m_project.Document();
    // A fresh document: the byte-order mark flag of an earlier file must not survive.
    document = TiXmlDocument();
    document.SetValue(path);
    const std::optional<std::string> bytes = platform::readFile(path);
    if (!bytes) {
        return Fail(platform::uiText(kMalformed), platform::uiText(kErrorCaption));
    }
    std::string text = WithLineFeeds(*bytes);
    // UTF-8 is assumed. Only the "unknown" mode notes a byte-order mark (and then reads
    // UTF-8), so a file that starts with one is parsed in that mode.
    const TiXmlEncoding encoding =
        StartsWithByteOrderMark(text) ? TIXML_ENCODING_UNKNOWN : TIXML_ENCODING_UTF8;
    ParseXmlText(document, std::move(text), encoding);
    if (document.Error() || !document.RootElement()) {
        return Fail(platform::uiText(kMalformed), platform::uiText(kErrorCaption));
    }
    return true;
}

TiXmlElement* ProjectFileReader::Impl::CheckRoot()
{
    TiXmlDocument& document = m_project.Document();
    TiXmlElement* root = document.RootElement();
    if (root->ValueStr() == "ide-rad") {
        document.InsertEndChild(TiXmlComment(kDocumentComment));
        root->SetValue("ui-rad");
    } else if (root->ValueStr() != "ui-rad") {
        Fail(platform::uiText(kMalformed), platform::uiText(kErrorCaption));
        return nullptr;
    }
    return root;
}

void ProjectFileReader::Impl::ReadDefinitions()
{
    ReadDefinitionTables(m_project, m_definitionDirectory.value_or(platform::programDirectory()));
}

void ProjectFileReader::Impl::ReadSettings(const TiXmlElement& root)
{
    m_project.SetName(ReadTextProperty(root, "prj_name").value_or("Application"));
    m_project.SetDisplayLanguage(ReadIntProperty(root, "prj_language"));
    m_project.SetScreenWidth(ReadIntProperty(root, "prj_screen_width"));
    m_project.SetScreenHeight(ReadIntProperty(root, "prj_screen_height"));
    m_caseValue = ReadTextProperty(root, "prj_case_path").value_or(std::string());
    m_sdkValue = ReadTextProperty(root, "prj_sdk_path").value_or(std::string());
    m_project.SetBuildResType(ReadIntProperty(root, "prj_build_res_type"));
    m_project.SetBuildResMode(ReadIntProperty(root, "prj_build_res_mode") != 0 ? 1 : 0);
}

std::optional<std::string> ProjectFileReader::Impl::ChooseAgain(const std::string& title)
{
    std::optional<std::string> chosen =
        platform::interaction().chooseFolder(title, m_project.ProjectDir());
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    m_project.SetModified(1);
    return platform::canonicalPath(AbsoluteFrom(*chosen));
}

bool ProjectFileReader::Impl::FindCaseDirectory()
{
    const std::string caseDir = m_project.ResolvePath(m_caseValue, true);
    if (!caseDir.empty() && platform::isDirectory(caseDir)) {
        m_project.SetCaseDir(caseDir);
        return true;
    }
    const std::optional<std::string> chosen = ChooseAgain(
        platform::formatText(platform::uiText("case目录 %s 不存在，请重新选择"), caseDir.c_str()));
    if (!chosen) {
        return Fail(platform::uiText("无法找到case目录") + caseDir);
    }
    m_project.SetCaseDir(*chosen);
    return true;
}

bool ProjectFileReader::Impl::FindSdkDirectory()
{
    std::string sdkDir = m_project.ResolvePath(m_sdkValue, false);
    if (!platform::isDirectory(sdkDir)) {
        sdkDir = m_project.ResolvePath(m_sdkValue, true);
    }
    if (!sdkDir.empty() && platform::isDirectory(sdkDir)) {
        m_project.SetSdkDir(sdkDir);
        return true;
    }
    const std::optional<std::string> chosen = ChooseAgain(platform::formatText(
        platform::uiText("psp_rel目录 %s 不存在，请重新选择"), sdkDir.c_str()));
    if (!chosen) {
        return Fail(platform::uiText("无法找到psp_rel目录") + sdkDir);
    }
    m_project.SetSdkDir(*chosen);
    return true;
}

void ProjectFileReader::Impl::ReadOutputPaths(const TiXmlElement& root)
{
    APStyleProject& p = m_project;
    const std::string& name = p.Name();
    const std::string apps = platform::joinPath(p.CaseDir(), "images/apps/" + name);
    const std::string& projectDir = p.ProjectDir();
    p.SetPictureHeader(platform::joinPath(projectDir, name + "_pic.h"));
    p.SetStringHeader(platform::joinPath(projectDir, name + "_str.h"));
    p.SetResourceFile(platform::joinPath(apps, "style0/" + name + ".res"));
    p.SetStringDir(apps);
    p.SetStyleFile(platform::joinPath(apps, name + ".sty"));
    p.SetStyleHeader(platform::joinPath(projectDir, name + "_sty.h"));

    // A stored path replaces its default only when it has the form the setting needs.
    auto taken = [&](const char* property, auto accept) -> std::optional<std::string> {
        std::optional<std::string> value = ReadTextProperty(root, property);
        if (!value || !accept(*value)) {
            return std::nullopt;
        }
        return p.ResolvePath(*value, false);
    };
    auto header = [](const std::string& v) { return v.size() > 2 && EndsWith(v, ".h"); };
    auto resource = [](const std::string& v) { return v.size() > 4 && EndsWith(v, ".res"); };
    auto style = [](const std::string& v) { return v.size() > 4 && EndsWith(v, ".sty"); };
    auto any = [](const std::string& v) { return !v.empty(); };
    if (auto v = taken("prj_res_head_file", header)) {
        p.SetPictureHeader(*v);
    }
    if (auto v = taken("prj_res_str_head_file", header)) {
        p.SetStringHeader(*v);
    }
    if (auto v = taken("prj_sty_head_file", header)) {
        p.SetStyleHeader(*v);
    }
    if (auto v = taken("prj_res_file", resource)) {
        p.SetResourceFile(*v);
    }
    if (auto v = taken("prj_res_str_dir", any)) {
        p.SetStringDir(*v);
    }
    if (auto v = taken("prj_sty_file", style)) {
        p.SetStyleFile(*v);
    }
}

void ProjectFileReader::Impl::ReadDesktop(const TiXmlElement& root)
{
    DesktopSettings& d = m_project.Desktop();
    d = DesktopSettings::Defaults(m_project.CaseDir(), m_project.Name());
    auto text = [&](const char* property, std::string& field) {
        if (std::optional<std::string> value = ReadTextProperty(root, property)) {
            field = std::move(*value);
        }
    };
    d.create = ReadIntProperty(root, "desktop_file_create");
    if (std::optional<std::string> path = ReadTextProperty(root, "desktop_file_path")) {
        d.path = m_project.ResolvePath(*path, false);
    }
    text("desktop_file_comment", d.comment);
    text("desktop_file_exec_dir", d.execDir);
    d.type = ReadIntProperty(root, "desktop_file_type");
    text("desktop_file_child", d.child);
    text("desktop_file_exec", d.exec);
    d.iconId = ReadIntProperty(root, "desktop_file_icon_id");
    d.icon = ReadIntProperty(root, "desktop_file_icon");
    d.nameId = ReadIntProperty(root, "desktop_file_name_id");
    text("desktop_file_name", d.name);
    text("desktop_file_name_str_id", d.nameStringId);
}

void ProjectFileReader::Impl::ReadResources(const TiXmlElement& root)
{
    m_project.ReadResourceSection(root);
    m_project.MarkMissingPictures();
    m_project.MarkMissingStrings(m_importer ? m_importer : DefaultStringImporter(m_project));
}

bool ProjectFileReader::Impl::ReadScenes(TiXmlElement& root)
{
    int count = 0;
    for (const TiXmlElement* s = root.FirstChildElement("scene"); s;
         s = s->NextSiblingElement("scene")) {
        ++count;
    }
    auto& words = m_project.HeaderWords();
    words[0] = 0x18;
    words[1] = static_cast<std::uint32_t>(count);
    words[3] = 0;
    m_project.ClearScenes();
    m_project.Scenes().reserve(static_cast<std::size_t>(count));

    const ElementClassTable classes = ClassTableOf(m_project);
    ElementReader reader(m_project, classes);
    for (TiXmlElement* node = root.FirstChildElement("scene"); node;
         node = node->NextSiblingElement("scene")) {
        std::unique_ptr<Snapshot> scene = reader.ReadScene(*node);
        if (!scene) {
            m_error = reader.Error();
            return false;
        }
        m_project.Scenes().push_back(std::move(scene));
    }
    return true;
}

ProjectFileReader::ProjectFileReader(APStyleProject& project) : d(std::make_unique<Impl>(project))
{
}

ProjectFileReader::~ProjectFileReader() = default;

void ProjectFileReader::SetDefinitionDirectory(const std::string& directory)
{
    d->m_definitionDirectory = directory;
}

void ProjectFileReader::SetStringImporter(StringFileImporter importer)
{
    d->m_importer = std::move(importer);
}

int ProjectFileReader::Load(const std::string& path)
{
    return d->Load(path);
}

const std::string& ProjectFileReader::ErrorString() const
{
    return d->m_error;
}
