#pragma once

#include "model/DesktopSettings.h"
#include "model/GridRow.h"
#include "model/PictureRegistry.h"
#include "model/ProjectFileIo.h"
#include "model/ProjectPropertyDesc.h"
#include "model/Snapshot.h"
#include "model/StringRegistry.h"

#include <tinyxml.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class ActProjectStack;
class SnapShotItem;

// One entry of the element-class table read from widgetdef.xml.
struct ElementClass
{
    std::string name;
    std::int32_t widgetType = 0;
};

// One entry of the key table read from keydef.xml.
struct KeyDefinition
{
    std::string name;
    std::int32_t value = 0;
};

// Imports one string source file into `into` (the string table importer), with ids
// from `firstId` on; returns the next free id.
using StringFileImporter = std::function<std::uint32_t(
    StringRegistry& into, const std::string& absolutePath, std::uint32_t firstId)>;

// The in-memory form of one user-interface project: settings, scenes, resource
// registries, definition tables, desktop settings, undo history and the retained
// XML document of its project file. Owns its scenes (and through them every
// element), its undo records and the document. Paths are absolute in memory
// ('/' separators); stored paths are relative to the case directory.
class APStyleProject
{
public:
    APStyleProject();
    ~APStyleProject();
    APStyleProject(const APStyleProject&) = delete;
    APStyleProject& operator=(const APStyleProject&) = delete;

    // The process-wide current project, or null. Not owned.
    static APStyleProject* Current();
    static void SetCurrent(APStyleProject* project);

    // Empties the document, the registries, the text file list, the element classes
    // and the key table, destroys the undo history, then ClearScenes().
    void Reset();
    // Destroys every scene with its elements; the current scene becomes null.
    void ClearScenes();
    // Header words 0x184E4942, 0, 0, 0 and no scenes: a new project.
    void InitNew();
    // Appends a new scene named after the largest scene identifier, with the next
    // identifier and the key mapping 1..16; it becomes the current scene. Returns
    // the scene, owned by the project.
    Snapshot* AddScene();

    // The project file (forwarded to the installed ProjectFileIo; without one, Load and
    // the saves fail with a trace and the document edits do nothing).
    // Reads the project file at `path`. Returns 1, or 0 after a message; the caller then
    // discards the project, which may be partly filled.
    int Load(const std::string& path);
    // Writes the model into the retained document.
    void UpdateDocument();
    // Makes `path` the document's file, UpdateDocument(), prints the document there.
    // Returns 1, or 0 when the file could not be written (the previous one is intact).
    // The modified flag is left as it is.
    int Save(const std::string& path);
    // Save(project file path) when modified. Returns 1, or Save's 0.
    int SaveIfModified();
    // Save(path) when modified. Returns 1, or Save's 0.
    int SaveIfModifiedAs(const std::string& path);
    // Exchanges the document nodes of two sibling scenes or elements: 0, or -1 when no
    // node carries idA, -2 when no sibling of it carries idB.
    int SwapInDocument(std::uint32_t idA, std::uint32_t idB);
    // Rewrites the "id" properties of the document (the first pair of an old id wins).
    void RenumberInDocument(const IdRenumbering& pairs);

    // Tells the main window the screen size of `scene` (message 0x46B): width and
    // height, exchanged when the scene's direction is a quarter or three-quarter turn.
    void NotifyScreenSize(const Snapshot& scene) const;

    // Takes the next identifier for a new scene or element (counter + 1).
    std::int32_t NextId();
    std::int32_t IdCounter() const { return m_idCounter; }
    // Back to -1, before a load reads the file's identifiers.
    void ResetIdCounter() { m_idCounter = -1; }
    // Raises the counter to `id` when it is smaller; it never goes down.
    void RaiseIdCounter(std::int32_t id);

    // Returns the absolute form of a stored or absolute path: "" for "", an
    // absolute path itself, "$CASE" + rest below the case directory, any other
    // relative path below the project directory (fromProjectDir) or the case
    // directory. Canonical; a component that is missing in this letter case is
    // matched without regard to case.
    std::string ResolvePath(const std::string& path, bool fromProjectDir) const;
    // Returns the stored form of an absolute path relative to the project directory
    // (toProjectDir) or the case directory; a relative path is returned unchanged.
    std::string MakeRelativePath(const std::string& path, bool toProjectDir) const;
    // The stored form the registries keep: relative to the case directory, A to Z
    // lower-cased (except a leading "$CASE").
    std::string StoredPicturePath(const std::string& path) const;

    // Index of the first live child of `group` whose name equals `name` ignoring
    // case; -1 when none or `group` is null.
    static int FindChildByName(const std::string& name, const SnapShotItem* group);
    // Index of the first live child of `group` whose NameHash equals that of
    // `name`; -1 when none or `group` is null.
    static int FindChildByHash(const std::string& name, const SnapShotItem* group);
    // Row index of a property id in the project property table, or -1.
    int FindProjectProperty(std::int32_t id) const;

    // Gives a stored picture path a layer id unless it has one.
    void EnsureLayerId(const std::string& storedPath);
    // Registers a picture file by absolute path with a number no smaller than
    // `smallestNumber`; returns the number, or 0 (after a message) when the path
    // is registered already.
    std::uint32_t AddPicture(const std::string& absolutePath, std::uint32_t smallestNumber);
    // Fills both registries, the text file list and the layer map from the
    // resource sections under `root` of a project document.
    void ReadResourceSection(const TiXmlElement& root);
    // Lists the pictures whose file is missing; shows one message when any is.
    void MarkMissingPictures();
    // Gives the strings their texts from the project's text files, read with
    // `importer` into a scratch registry, and lists those without any text; shows
    // one message when any is.
    void MarkMissingStrings(const StringFileImporter& importer);
    // Brings the "LayerID" attributes of `document`'s resource sections up to date
    // (enableLayerId: the ENABLE_LAYERID setting) and writes the document to its
    // file. Returns true when the file was written.
    bool UpdateDocResource(TiXmlDocument& document, int enableLayerId) const;

    // Fields.
    std::map<std::string, std::int32_t>& LayerMap() { return m_layerMap; }
    const std::map<std::string, std::int32_t>& LayerMap() const { return m_layerMap; }
    std::int32_t NextLayerId() const { return m_nextLayerId; }
    void SetNextLayerId(std::int32_t id) { m_nextLayerId = id; }
    std::map<std::uint32_t, std::uint32_t>& GenerationMap() { return m_generationMap; }
    std::array<std::uint32_t, 4>& HeaderWords() { return m_headerWords; }
    const std::array<std::uint32_t, 4>& HeaderWords() const { return m_headerWords; }
    std::vector<std::unique_ptr<Snapshot>>& Scenes() { return m_scenes; }
    const std::vector<std::unique_ptr<Snapshot>>& Scenes() const { return m_scenes; }
    Snapshot* CurrentScene() const { return m_currentScene; }
    void SetCurrentScene(Snapshot* scene) { m_currentScene = scene; }
    PictureRegistry& Pictures() { return m_pictures; }
    const PictureRegistry& Pictures() const { return m_pictures; }
    StringRegistry& Strings() { return m_strings; }
    const StringRegistry& Strings() const { return m_strings; }
    std::vector<std::string>& TextFiles() { return m_textFiles; }
    const std::vector<std::string>& TextFiles() const { return m_textFiles; }
    TiXmlDocument& Document() { return m_document; }
    const TiXmlDocument& Document() const { return m_document; }
    // Keeps the node that a save took out of the document for a deleted scene or element
    // (`object`), so that the save after an undo can put it back where it was.
    void ParkNode(const void* object, std::unique_ptr<TiXmlNode> node);
    // Returns the object's parked node (the caller owns it), or null.
    std::unique_ptr<TiXmlNode> TakeParkedNode(const void* object);
    std::vector<ElementClass>& ElementClasses() { return m_elementClasses; }
    std::vector<KeyDefinition>& Keys() { return m_keys; }
    std::vector<std::shared_ptr<ActProjectStack>>& History() { return m_history; }
    std::int32_t HistoryCursor() const { return m_historyCursor; }
    void SetHistoryCursor(std::int32_t cursor) { m_historyCursor = cursor; }
    const ProjectPropertyDesc* PropertyTable() const { return m_propertyTable; }
    int PropertyCount() const { return m_propertyCount; }
    std::vector<GridRow>& GridRows() { return m_gridRows; }
    DesktopSettings& Desktop() { return m_desktop; }
    const DesktopSettings& Desktop() const { return m_desktop; }
    std::vector<std::uint32_t>& UsedPictures() { return m_usedPictures; }
    std::vector<std::uint32_t>& UsedStrings() { return m_usedStrings; }
    std::vector<std::uint32_t>& GenerationWork() { return m_generationWork; }
    std::vector<std::uint32_t>& StyleWork() { return m_styleWork; }

    const std::string& ProjectFilePath() const { return m_path; }
    void SetProjectFilePath(const std::string& path) { m_path = path; }
    int Modified() const { return m_modified; }
    void SetModified(int modified) { m_modified = modified ? 1 : 0; }
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    std::int32_t ProjectKind() const { return m_projectKind; }
    void SetProjectKind(std::int32_t kind) { m_projectKind = kind; }
    std::int32_t ScreenWidth() const { return m_screenWidth; }
    void SetScreenWidth(std::int32_t width) { m_screenWidth = width; }
    std::int32_t ScreenHeight() const { return m_screenHeight; }
    void SetScreenHeight(std::int32_t height) { m_screenHeight = height; }
    const std::string& CaseDir() const { return m_caseDir; }
    void SetCaseDir(const std::string& dir) { m_caseDir = dir; }
    const std::string& ProjectDir() const { return m_projectDir; }
    void SetProjectDir(const std::string& dir) { m_projectDir = dir; }
    const std::string& SdkDir() const { return m_sdkDir; }
    void SetSdkDir(const std::string& dir) { m_sdkDir = dir; }
    const std::string& ResourceFile() const { return m_resourceFile; }
    void SetResourceFile(const std::string& path) { m_resourceFile = path; }
    const std::string& PictureHeader() const { return m_pictureHeader; }
    void SetPictureHeader(const std::string& path) { m_pictureHeader = path; }
    const std::string& StringDir() const { return m_stringDir; }
    void SetStringDir(const std::string& dir) { m_stringDir = dir; }
    const std::string& StringHeader() const { return m_stringHeader; }
    void SetStringHeader(const std::string& path) { m_stringHeader = path; }
    std::int32_t DisplayLanguage() const { return m_displayLanguage; }
    void SetDisplayLanguage(std::int32_t index) { m_displayLanguage = index; }
    // What every string element shows instead of its display language's text while a preview
    // is on, made from its first language's text (UTF-8): never saved. `name` names the preview
    // ("" with a null function: none).
    using TextPreview = std::function<std::u16string(const std::string&)>;
    void SetTextPreview(std::string name, TextPreview preview);
    const std::string& TextPreviewName() const { return m_textPreviewName; }
    const TextPreview& PreviewText() const { return m_textPreview; }
    const std::string& StyleHeader() const { return m_styleHeader; }
    void SetStyleHeader(const std::string& path) { m_styleHeader = path; }
    const std::string& StyleFile() const { return m_styleFile; }
    void SetStyleFile(const std::string& path) { m_styleFile = path; }
    std::int32_t BuildResType() const { return m_buildResType; }
    void SetBuildResType(std::int32_t type) { m_buildResType = type; }
    std::int32_t BuildResMode() const { return m_buildResMode; }
    void SetBuildResMode(std::int32_t mode) { m_buildResMode = mode ? 1 : 0; }
    // Set by the spreadsheet import: "[CR]" becomes a line feed instead of a tab.
    std::int32_t SpreadsheetFlag() const { return m_spreadsheetFlag; }
    void SetSpreadsheetFlag(std::int32_t flag) { m_spreadsheetFlag = flag; }

private:
    std::map<std::string, std::int32_t> m_layerMap;
    std::map<std::uint32_t, std::uint32_t> m_generationMap;
    std::array<std::uint32_t, 4> m_headerWords{};
    std::vector<std::unique_ptr<Snapshot>> m_scenes;
    std::string m_path;
    int m_modified = 0;
    Snapshot* m_currentScene = nullptr;
    PictureRegistry m_pictures;
    StringRegistry m_strings;
    std::string m_name = "Application";
    std::int32_t m_projectKind = 1;
    std::int32_t m_screenWidth = 320;
    std::int32_t m_screenHeight = 240;
    std::vector<std::string> m_textFiles;
    std::string m_caseDir;
    std::string m_projectDir;
    std::string m_sdkDir;
    std::string m_resourceFile;
    std::string m_pictureHeader;
    std::string m_stringDir;
    std::string m_stringHeader;
    TiXmlDocument m_document;
    // Keyed by scenes and elements of this project; forgotten with them (ClearScenes).
    std::unordered_map<const void*, std::unique_ptr<TiXmlNode>> m_parkedNodes;
    std::int32_t m_displayLanguage = 0;
    std::string m_textPreviewName;
    TextPreview m_textPreview;
    std::int32_t m_idCounter = -1;
    std::vector<ElementClass> m_elementClasses;
    std::vector<KeyDefinition> m_keys;
    std::vector<std::uint32_t> m_usedPictures;
    std::vector<std::uint32_t> m_usedStrings;
    std::vector<std::uint32_t> m_generationWork;
    // Sole owner of the undo records. shared_ptr only because its deleter is
    // bound where the record type is complete (the records live above this layer).
    std::vector<std::shared_ptr<ActProjectStack>> m_history;
    std::int32_t m_historyCursor = -1;
    const ProjectPropertyDesc* m_propertyTable;
    int m_propertyCount = kProjectPropertyCount;
    std::vector<GridRow> m_gridRows;
    std::string m_styleHeader;
    std::string m_styleFile;
    std::int32_t m_buildResType = 1;
    std::int32_t m_buildResMode = 0;
    std::int32_t m_spreadsheetFlag = 0;
    DesktopSettings m_desktop;
    std::vector<std::uint32_t> m_styleWork;
    std::int32_t m_nextLayerId = 1;
};
