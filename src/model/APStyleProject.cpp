#include "model/APStyleProject.h"

#include "platform/AsciiCase.h"
#include "platform/MainWindowSink.h"
#include "model/NameHash.h"
#include "model/ProjectFileIo.h"
#include "model/ResourceCheck.h"
#include "model/ResourceSection.h"
#include "platform/Path.h"
#include "platform/Trace.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include <algorithm>
#include <cstdio>

namespace {

APStyleProject* g_current = nullptr;

constexpr char kCasePrefix[] = "$CASE";
constexpr std::size_t kCasePrefixLength = sizeof kCasePrefix - 1;

bool StartsWithCase(const std::string& path)
{
    return path.compare(0, kCasePrefixLength, kCasePrefix) == 0;
}

} // namespace

APStyleProject::APStyleProject()
    : m_propertyTable(ProjectPropertyTable()),
      m_desktop(DesktopSettings::Defaults(m_caseDir, m_name))
{
    m_strings.SetTextFiles(&m_textFiles);
}

APStyleProject::~APStyleProject()
{
    // Nothing may reach a destroyed project through the process-wide pointer.
    if (g_current == this) {
        g_current = nullptr;
    }
}

APStyleProject* APStyleProject::Current()
{
    return g_current;
}

void APStyleProject::SetCurrent(APStyleProject* project)
{
    g_current = project;
}

void APStyleProject::SetTextPreview(std::string name, TextPreview preview)
{
    m_textPreviewName = preview ? std::move(name) : std::string();
    m_textPreview = std::move(preview);
}

void APStyleProject::Reset()
{
    SetTextPreview({}, nullptr);
    m_document.Clear();
    m_document.ClearError();
    m_pictures.Clear();
    m_strings.Clear();
    m_textFiles.clear();
    m_elementClasses.clear();
    m_keys.clear();
    m_history.clear();
    m_historyCursor = -1;
    ClearScenes();
}

void APStyleProject::ClearScenes()
{
    m_currentScene = nullptr;
    m_scenes.clear();
    // Their keys were the objects just freed.
    m_parkedNodes.clear();
}

void APStyleProject::ParkNode(const void* object, std::unique_ptr<TiXmlNode> node)
{
    m_parkedNodes[object] = std::move(node);
}

std::unique_ptr<TiXmlNode> APStyleProject::TakeParkedNode(const void* object)
{
    const auto found = m_parkedNodes.find(object);
    if (found == m_parkedNodes.end()) {
        return nullptr;
    }
    std::unique_ptr<TiXmlNode> node = std::move(found->second);
    m_parkedNodes.erase(found);
    return node;
}

void APStyleProject::InitNew()
{
    m_headerWords = {0x184E4942u, 0, 0, 0};
    ClearScenes();
}

Snapshot* APStyleProject::AddScene()
{
    // The name follows the largest scene identifier (deleted scenes count), not the
    // counter, which elements share.
    long long largest = -1;
    for (const auto& scene : m_scenes) {
        largest = std::max<long long>(largest, scene->GetId());
    }
    m_scenes.push_back(std::make_unique<Snapshot>());
    Snapshot* scene = m_scenes.back().get();
    scene->SetId(static_cast<std::uint32_t>(NextId()));
    char name[32];
    std::snprintf(name, sizeof name, "Scene%02lld", largest + 1);
    scene->SetName(name);
    for (int key = 1; key <= 16; ++key) {
        scene->Record().keys[key - 1] = static_cast<std::uint8_t>(key);
    }
    m_currentScene = scene;
    return scene;
}

int APStyleProject::Load(const std::string& path)
{
    if (ProjectFileIo* io = projectFileIo()) {
        return io->Load(*this, path);
    }
    platform::trace("Load: no project file reader installed\n");
    return 0;
}

void APStyleProject::UpdateDocument()
{
    if (ProjectFileIo* io = projectFileIo()) {
        io->UpdateDocument(*this);
    }
}

int APStyleProject::Save(const std::string& path)
{
    if (ProjectFileIo* io = projectFileIo()) {
        return io->Save(*this, path);
    }
    platform::trace("Save: no project file writer installed\n");
    return 0;
}

int APStyleProject::SaveIfModified()
{
    return m_modified ? Save(m_path) : 1;
}

int APStyleProject::SaveIfModifiedAs(const std::string& path)
{
    return m_modified ? Save(path) : 1;
}

int APStyleProject::SwapInDocument(std::uint32_t idA, std::uint32_t idB)
{
    ProjectFileIo* io = projectFileIo();
    return io ? io->SwapInDocument(*this, idA, idB) : -1;
}

void APStyleProject::RenumberInDocument(const IdRenumbering& pairs)
{
    if (ProjectFileIo* io = projectFileIo()) {
        io->RenumberInDocument(*this, pairs);
    }
}

void APStyleProject::NotifyScreenSize(const Snapshot& scene) const
{
    const bool turned = scene.Record().direction % 2 != 0;
    const std::int32_t width = turned ? m_screenHeight : m_screenWidth;
    const std::int32_t height = turned ? m_screenWidth : m_screenHeight;
    platform::notifyMainWindow(platform::kMsgResizeSurface, width, height);
}

std::int32_t APStyleProject::NextId()
{
    return ++m_idCounter;
}

void APStyleProject::RaiseIdCounter(std::int32_t id)
{
    m_idCounter = std::max(m_idCounter, id);
}

std::string APStyleProject::ResolvePath(const std::string& path, bool fromProjectDir) const
{
    if (path.empty()) {
        return {};
    }
    if (platform::isAbsolutePath(path)) {
        return path;
    }
    if (StartsWithCase(path)) {
        // "$CASE\x" and "$CASEx" both mean x below the case directory.
        std::string rest = path.substr(kCasePrefixLength);
        rest.erase(0, rest.find_first_not_of("/\\"));
        return platform::resolveStoredPath(m_caseDir, rest);
    }
    return platform::resolveStoredPath(fromProjectDir ? m_projectDir : m_caseDir, path);
}

std::string APStyleProject::MakeRelativePath(const std::string& path, bool toProjectDir) const
{
    if (!platform::isAbsolutePath(path)) {
        return path;
    }
    return platform::relativeStoredPath(toProjectDir ? m_projectDir : m_caseDir,
                                        platform::canonicalPath(path));
}

std::string APStyleProject::StoredPicturePath(const std::string& path) const
{
    std::string stored = MakeRelativePath(path, false);
    const std::size_t keep = StartsWithCase(stored) ? kCasePrefixLength : 0;
    return stored.substr(0, keep) + platform::toLowerAscii(std::string_view(stored).substr(keep));
}

int APStyleProject::FindChildByName(const std::string& name, const SnapShotItem* group)
{
    const SnapItemList* children = group ? group->Children() : nullptr;
    if (!children) {
        return -1;
    }
    for (std::size_t i = 0; i < children->size(); ++i) {
        const SnapShotItem* child = (*children)[i].get();
        if (child && !child->IsDeleted() && platform::equalsIgnoreAsciiCase(child->Name(), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int APStyleProject::FindChildByHash(const std::string& name, const SnapShotItem* group)
{
    const SnapItemList* children = group ? group->Children() : nullptr;
    if (!children) {
        return -1;
    }
    const std::uint32_t hash = NameHash(name);
    for (std::size_t i = 0; i < children->size(); ++i) {
        const SnapShotItem* child = (*children)[i].get();
        if (child && !child->IsDeleted() && NameHash(child->Name()) == hash) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int APStyleProject::FindProjectProperty(std::int32_t id) const
{
    for (int row = 0; row < m_propertyCount; ++row) {
        if (m_propertyTable[row].id == id) {
            return row;
        }
    }
    return -1;
}

void APStyleProject::EnsureLayerId(const std::string& storedPath)
{
    if (m_layerMap.count(storedPath) != 0) {
        return;
    }
    const std::int32_t id = m_nextLayerId++;
    m_layerMap.emplace(storedPath, id);
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "New LayerID : %d ", static_cast<int>(id));
    platform::trace(prefix + storedPath + "\n");
}

std::uint32_t APStyleProject::AddPicture(const std::string& absolutePath,
                                         std::uint32_t smallestNumber)
{
    const std::string stored = StoredPicturePath(absolutePath);
    if (m_pictures.Find(stored) >= 0) {
        platform::interaction().showMessage(platform::formatText(
            platform::uiText("无法添加文件：%s\n已存在相同路径!"), absolutePath.c_str()));
        return 0;
    }
    const std::uint32_t number = std::max(m_pictures.LastNumber() + 1, smallestNumber);
    const bool first = m_pictures.Empty();
    m_pictures.Append(number, stored);
    m_pictures.SetLastNumber(number);
    if (first) {
        m_pictures.SetFirstNumber(number);
    }
    EnsureLayerId(stored);
    return number;
}

void APStyleProject::ReadResourceSection(const TiXmlElement& root)
{
    ResourceSection::Read(*this, root);
}

void APStyleProject::MarkMissingPictures()
{
    ResourceCheck::MarkMissingPictures(*this);
}

void APStyleProject::MarkMissingStrings(const StringFileImporter& importer)
{
    ResourceCheck::MarkMissingStrings(*this, importer);
}

bool APStyleProject::UpdateDocResource(TiXmlDocument& document, int enableLayerId) const
{
    return ResourceSection::UpdateLayerIds(*this, document, enableLayerId);
}
