#include "editing/ResourcePanel.h"

#include "components/visual/CxImage.h"
#include "editing/ActReplaceStrings.h"
#include "editing/RecordedEdit.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/AsciiCase.h"
#include "editing/ChangeFeed.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"
#include "strings/SpreadsheetFile.h"
#include "strings/StringDiffReport.h"
#include "strings/StringTableDiff.h"
#include "strings/StringTableImport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace editing {

namespace fs = std::filesystem;

namespace {

enum class FileKind
{
    None,
    Picture,
    Strings
};

FileKind KindOf(const std::string& path)
{
    const std::string ext = platform::toUpperAscii(fs::path(path).extension().string());
    if (ext == ".BMP" || ext == ".PNG" || ext == ".JPG") {
        return FileKind::Picture;
    }
    if (ext == ".TXT" || ext == ".XLS" || ext == ".XLSX" || ext == ".CSV") {
        return FileKind::Strings;
    }
    return FileKind::None;
}

// Every regular file below `folder`, in name order (directories depth first).
std::vector<std::string> FilesBelow(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error)) {
            files.push_back(it->path().generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::pair<int, int>> SizeOfFile(const std::string& path)
{
    CxImage::Info info;
    if (path.empty() || !CxImage::ReadSize(path, info)) {
        return std::nullopt;
    }
    return std::make_pair(static_cast<int>(info.width), static_cast<int>(info.height));
}

} // namespace

ResourcePanel::ResourcePanel(Workspace& ws) : m_ws(ws)
{
    m_ws.Feed().Subscribe(this, ChangeFeed::Tier::Model);
    Refill();
}

ResourcePanel::~ResourcePanel()
{
    m_ws.Feed().Unsubscribe(this);
}

void ResourcePanel::OnChanges(const ChangeSet& changes)
{
    if (changes.Has(ChangeKind::Resources)) {
        Refill();
    }
}

APStyleProject* ResourcePanel::Project() const
{
    return m_ws.CurrentProject();
}

int ResourcePanel::ShownList() const
{
    return m_ws.ShownResourceList();
}

int ResourcePanel::ColumnWidth(int list, int column)
{
    if (column < 2) {
        return 80;
    }
    return list == Workspace::kPictureList ? 260 : 160;
}

void ResourcePanel::TakeColumns()
{
    m_columns = {"ID", "Value"};
    if (ShownList() == Workspace::kPictureList) {
        m_columns.push_back("Path");
        return;
    }
    if (APStyleProject* project = Project()) {
        for (const std::string& name : project->Strings().NamedLanguages()) {
            if (static_cast<int>(m_columns.size()) - 2 >= kMaxLanguageColumns) {
                break;
            }
            m_columns.push_back(name);
        }
    }
}

void ResourcePanel::Refill()
{
    TakeColumns();
    m_missing.clear();
    if (APStyleProject* project = Project()) {
        const PictureRegistry& pictures = project->Pictures();
        for (const std::uint32_t id : pictures.Missing()) {
            // The missing list counts from the first number by record index.
            const std::uint32_t index = id - pictures.FirstNumber();
            if (index < pictures.Size()) {
                m_missing.insert(pictures.At(index).number);
            }
        }
    }
    if (m_observer) {
        m_observer->onPanelReset();
    }
}

int ResourcePanel::RowCount() const
{
    const APStyleProject* project = Project();
    if (!project) {
        return 0;
    }
    return static_cast<int>(ShownList() == Workspace::kPictureList ? project->Pictures().Size()
                                                                   : project->Strings().Size());
}

std::string ResourcePanel::CellText(int row, int column) const
{
    const APStyleProject* project = Project();
    if (!project || row < 0 || row >= RowCount() || column < 0 ||
        column >= static_cast<int>(m_columns.size())) {
        return {};
    }
    const auto index = static_cast<std::size_t>(row);
    if (ShownList() == Workspace::kPictureList) {
        const PictureRecord& record = project->Pictures().At(index);
        switch (column) {
        case 0:
            return record.name;
        case 1:
            return std::to_string(record.number);
        default:
            return record.path;
        }
    }
    const StringRecord& record = project->Strings().Records()[index];
    switch (column) {
    case 0:
        return record.identifier;
    case 1:
        return std::to_string(record.number);
    default:
        return record.texts[static_cast<std::size_t>(column - 2)];
    }
}

std::uint32_t ResourcePanel::RowId(int row) const
{
    const APStyleProject* project = Project();
    if (!project || row < 0 || row >= RowCount()) {
        return 0;
    }
    const auto index = static_cast<std::size_t>(row);
    return ShownList() == Workspace::kPictureList ? project->Pictures().At(index).number
                                                  : project->Strings().Records()[index].number;
}

std::string ResourcePanel::StringTextOfRows(const std::vector<int>& rows, int column) const
{
    const int columns = static_cast<int>(m_columns.size());
    if (ShownList() != Workspace::kStringList || columns <= 2) {
        return {};
    }
    const int language = column >= 2 && column < columns ? column : 2;
    std::string text;
    bool first = true;
    for (const int row : rows) {
        if (row < 0 || row >= RowCount()) {
            continue;
        }
        if (!first) {
            text += '\n';
        }
        first = false;
        text += CellText(row, language);
    }
    return text;
}

bool ResourcePanel::IsMissing(int row) const
{
    return ShownList() == Workspace::kPictureList && row >= 0 && row < RowCount() &&
           m_missing.count(RowId(row)) != 0;
}

std::string ResourcePanel::PicturePath(int row) const
{
    const APStyleProject* project = Project();
    if (!project || ShownList() != Workspace::kPictureList || row < 0 || row >= RowCount()) {
        return {};
    }
    return project->ResolvePath(project->Pictures().At(static_cast<std::size_t>(row)).path, false);
}

std::optional<std::pair<int, int>> ResourcePanel::PictureSize(int row) const
{
    return SizeOfFile(PicturePath(row));
}

bool ResourcePanel::CanRun(int command) const
{
    if (!Project()) {
        return false;
    }
    switch (command) {
    case kCmdDeleteSelection:
    case kCmdClearList:
        return RowCount() > 0;
    default:
        return true;
    }
}

void ResourcePanel::Run(int command, const std::vector<int>& selectedRows)
{
    if (!CanRun(command)) {
        return;
    }
    switch (command) {
    case kCmdRefresh:
        if (ShownList() == Workspace::kStringList) {
            RefreshStrings();
        } else {
            Refresh();
        }
        break;
    case kCmdAddFiles:
        AddFiles();
        break;
    case kCmdAddDirectory:
        AddDirectory();
        break;
    case kCmdDeleteSelection:
        DeleteRows(selectedRows);
        break;
    case kCmdClearList:
        ClearList();
        break;
    case kCmdClearAllLists:
        ClearAllLists();
        break;
    default:
        break;
    }
}

void ResourcePanel::Refresh()
{
    APStyleProject* project = Project();
    if (!project) {
        return;
    }
    if (ShownList() == Workspace::kPictureList) {
        project->MarkMissingPictures();
    } else {
        StringTableImport::MarkMissingStrings(*project);
    }
    Refill();
}

void ResourcePanel::RefreshStrings()
{
    APStyleProject* project = Project();
    if (!project) {
        return;
    }
    // The files are read again into the project, looked at against what it held, and
    // kept when nothing is lost or the user says so.
    auto record = std::make_unique<ActReplaceStrings>(project);
    record->CaptureBefore();
    StringTableImport::MarkMissingStrings(*project);
    record->CaptureAfter();
    const StringRegistry reread = project->Strings();
    record->Undo();
    StringTableDiff diff(*project);
    diff.CompareWith(reread);
    if (diff.ChangesSomething()) {
        const platform::Answer answer = platform::interaction().askYesNo(
            StringDiffReport(diff, platform::uiText(kRefreshedFiles), kReportLines) + "\n" +
                platform::uiText(kApplyStringFileQuestion),
            platform::uiText(kApplyStringFileCaption),
            diff.LosesSomething() ? platform::Answer::No : platform::Answer::Yes);
        if (answer == platform::Answer::Yes) {
            record->Redo();
            AddRecord(*project, std::move(record));
            AfterChange();
        }
    } else {
        // Nothing a text changes; the missing marks and language names may have.
        record->Redo();
    }
    Refill();
}

void ResourcePanel::AfterChange()
{
    APStyleProject* project = Project();
    if (!project) {
        return;
    }
    if (SnapShotItem* element = m_ws.Selection().Element()) {
        element->RefreshRows();
        m_ws.ShowElement(element);
    }
    project->SetModified(1);
    PostChange(Change::Redraw());
}

bool ResourcePanel::AddOne(APStyleProject& project, const std::string& path)
{
    switch (KindOf(path)) {
    case FileKind::Picture:
        return project.AddPicture(path, project.Pictures().LastNumber() + 1) != 0;
    case FileKind::Strings: {
        const std::size_t before = project.Strings().Size();
        StringTableImport(&project).AddStringFile(project.Strings(), path,
                                                  project.Strings().LastNumber() + 1);
        return project.Strings().Size() != before;
    }
    case FileKind::None:
        break;
    }
    return false;
}

void ResourcePanel::AddFiles()
{
    if (!Project()) {
        return;
    }
    std::error_code error;
    const fs::path currentDir = fs::current_path(error);
    const std::vector<std::string> files = platform::interaction().chooseFiles(
        platform::uiText(kAddFilesFilter), platform::uiText(kAddFilesTitle), {});
    AddFiles(files);
    if (!error) {
        fs::current_path(currentDir, error);
    }
}

void ResourcePanel::AddFiles(const std::vector<std::string>& paths)
{
    APStyleProject* project = Project();
    if (!project || paths.empty()) {
        return;
    }
    const int rowsBefore = RowCount();
    const std::size_t languagesBefore = m_columns.size();
    bool changed = false;
    // The string files added are one undo step.
    std::unique_ptr<ActReplaceStrings> record;
    if (std::any_of(paths.begin(), paths.end(),
                    [](const std::string& path) { return KindOf(path) == FileKind::Strings; })) {
        record = std::make_unique<ActReplaceStrings>(project);
        record->CaptureBefore();
    }
    bool stringsAdded = false;
    for (const std::string& path : paths) {
        const bool strings = KindOf(path) == FileKind::Strings;
        if (strings && !ConfirmStringFile(*project, path)) {
            continue;
        }
        changed = AddOne(*project, path) || changed;
        stringsAdded = stringsAdded || strings;
    }
    if (stringsAdded) {
        record->CaptureAfter();
        AddRecord(*project, std::move(record));
        changed = true;
    }
    TakeColumns();
    const int rowsAfter = RowCount();
    m_rowToSelect = rowsAfter > 0 ? rowsAfter - 1 : -1;
    if (m_observer) {
        // A spreadsheet replaces the strings and may bring other languages.
        if (rowsAfter < rowsBefore || m_columns.size() != languagesBefore) {
            m_observer->onPanelReset();
        } else if (rowsAfter > rowsBefore) {
            m_observer->onRowsAppended(rowsBefore, rowsAfter - rowsBefore);
        }
    }
    if (changed) {
        AfterChange();
    }
}

bool ResourcePanel::ConfirmStringFile(const APStyleProject& project, const std::string& path) const
{
    if (!SpreadsheetFile::IsSpreadsheet(path)) {
        return true;
    }
    StringTableDiff diff(project);
    if (!diff.Compare(path)) {
        // The import has said why already; a damaged file must change nothing.
        return false;
    }
    if (!diff.ChangesSomething()) {
        return true;
    }
    const platform::Answer answer = platform::interaction().askYesNo(
        StringDiffReport(diff, path, kReportLines) + "\n" +
            platform::uiText(kApplyStringFileQuestion),
        platform::uiText(kApplyStringFileCaption),
        diff.LosesSomething() ? platform::Answer::No : platform::Answer::Yes);
    return answer == platform::Answer::Yes;
}

void ResourcePanel::AddDirectory()
{
    if (!Project()) {
        return;
    }
    const std::optional<std::string> folder = platform::interaction().chooseFolder(
        platform::uiText(kAddDirectoryTitle), Project()->CaseDir());
    if (folder) {
        AddDirectory(*folder);
    }
}

void ResourcePanel::AddDirectory(const std::string& folder)
{
    std::vector<std::string> resources;
    for (const std::string& file : FilesBelow(folder)) {
        if (KindOf(file) != FileKind::None) {
            resources.push_back(file);
        }
    }
    const int rowsBefore = RowCount();
    AddFiles(resources);
    m_rowToSelect = RowCount() > rowsBefore ? rowsBefore : m_rowToSelect;
}

void ResourcePanel::DeleteRows(const std::vector<int>& rows)
{
    APStyleProject* project = Project();
    if (!project || rows.empty()) {
        return;
    }
    std::vector<std::size_t> indices;
    for (const int row : rows) {
        if (row >= 0 && row < RowCount()) {
            indices.push_back(static_cast<std::size_t>(row));
        }
    }
    if (indices.empty()) {
        return;
    }
    if (ShownList() == Workspace::kPictureList) {
        project->Pictures().RemoveAt(indices);
    } else {
        project->Strings().RemoveAt(indices);
    }
    m_rowToSelect = -1;
    Refresh();
    AfterChange();
}

void ResourcePanel::ClearShown(APStyleProject& project, int list)
{
    if (list == Workspace::kPictureList) {
        project.Pictures().Clear();
    } else {
        // The string files go with the strings, or the next load would bring them back.
        project.Strings().Clear();
        project.TextFiles().clear();
    }
}

bool ResourcePanel::ClearList()
{
    APStyleProject* project = Project();
    if (!project ||
        platform::interaction().askYesNo(platform::uiText(kClearListQuestion), {},
                                         platform::Answer::No) != platform::Answer::Yes) {
        return false;
    }
    ClearShown(*project, ShownList());
    m_rowToSelect = -1;
    Refill();
    AfterChange();
    return true;
}

bool ResourcePanel::ClearAllLists()
{
    APStyleProject* project = Project();
    if (!project ||
        platform::interaction().askYesNo(platform::uiText(kClearAllQuestion), {},
                                         platform::Answer::No) != platform::Answer::Yes) {
        return false;
    }
    ClearShown(*project, Workspace::kPictureList);
    ClearShown(*project, Workspace::kStringList);
    m_rowToSelect = -1;
    Refill();
    AfterChange();
    return true;
}

std::string ResourcePanel::ResourceDirectory() const
{
    const APStyleProject* project = Project();
    return project ? (fs::path(project->CaseDir()) / "resource").string() : std::string();
}

std::vector<std::string> ResourcePanel::ResourceSubDirectories() const
{
    std::vector<std::string> names;
    const std::string folder = ResourceDirectory();
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) {
        return names;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ResourcePanel::UpdateFromResourceDirs(int command,
                                           const std::vector<std::string>& subDirectories)
{
    APStyleProject* project = Project();
    if (!project || (command != kCmdUpdatePictures && command != kCmdUpdateStrings)) {
        return;
    }
    const bool pictures = command == kCmdUpdatePictures;
    const fs::path resourceDir = ResourceDirectory();
    // Only folders of the resource folder itself: a name that climbs out of it or is not
    // there must not empty the list.
    const std::vector<std::string> existing = ResourceSubDirectories();
    std::vector<std::string> chosen;
    for (const std::string& sub : subDirectories) {
        if (std::find(existing.begin(), existing.end(), sub) != existing.end() &&
            std::find(chosen.begin(), chosen.end(), sub) == chosen.end()) {
            chosen.push_back(sub);
        }
    }
    if (chosen.empty()) {
        return;
    }
    std::vector<std::string> files;
    for (const std::string& sub : chosen) {
        for (const std::string& file : FilesBelow((resourceDir / sub).string())) {
            const FileKind kind = KindOf(file);
            if (kind == (pictures ? FileKind::Picture : FileKind::Strings)) {
                files.push_back(file);
            }
        }
    }
    // The list is made anew from what the folders hold; the listing file names it.
    ClearShown(*project, pictures ? Workspace::kPictureList : Workspace::kStringList);
    for (const std::string& file : files) {
        AddOne(*project, file);
    }
    std::ofstream listing(resourceDir / (pictures ? "res.prc" : "res.src"),
                          std::ios::binary | std::ios::trunc);
    if (pictures) {
        for (const PictureRecord& record : project->Pictures().Records()) {
            listing << record.number << '\t' << record.path << '\n';
        }
    } else {
        for (const std::string& file : project->TextFiles()) {
            listing << file << '\n';
        }
    }
    if (!listing) {
        platform::interaction().showMessage(
            platform::uiText("无法写入文件：") +
            (resourceDir / (pictures ? "res.prc" : "res.src")).generic_string());
    }
    m_rowToSelect = -1;
    Refill();
    AfterChange();
}

bool ResourcePanel::Assign(int row)
{
    APStyleProject* project = Project();
    SnapShotItem* element = m_ws.Selection().Element();
    if (!project || !element || row < 0 || row >= RowCount()) {
        return false;
    }
    const auto index = static_cast<std::size_t>(row);
    if (ShownList() == Workspace::kPictureList) {
        auto* picture = dynamic_cast<PicSnapshotItem*>(element);
        if (!picture || !picture->CurrentFrame()) {
            return false;
        }
        if (IsMissing(row)) {
            platform::interaction().showMessage(platform::uiText(kMissingPictureMessage));
            return false;
        }
        const PictureRecord record = project->Pictures().At(index);
        const std::string resolved = project->ResolvePath(record.path, false);
        const auto& frames = picture->Frames();
        for (std::size_t i = 0; i < frames.size(); ++i) {
            if (static_cast<int>(i) == picture->CurrentFrameIndex() || frames[i].path.empty()) {
                continue;
            }
            const auto other = SizeOfFile(project->ResolvePath(frames[i].path, false));
            if (!other) {
                continue;
            }
            const auto chosen = SizeOfFile(resolved);
            if (chosen && *chosen != *other) {
                char text[96];
                std::snprintf(text, sizeof text, platform::uiText("请选择的宽--%d 高--%d的图片"),
                              other->first, other->second);
                platform::interaction().showMessage(text);
                return false;
            }
            break;
        }
        RecordElementEdit(*project, *element, [&] {
            PicFrame* frame = picture->CurrentFrame();
            frame->id = static_cast<std::int32_t>(record.number);
            frame->name = record.name;
            frame->path = record.path;
            picture->LoadResource();
            picture->RefreshRows();
        });
    } else {
        auto* text = dynamic_cast<StringSnapShotItem*>(element);
        if (!text) {
            return false;
        }
        RecordElementEdit(*project, *element, [&] {
            text->TextStore() = project->Strings().Records()[index];
            text->LoadResource();
            text->RefreshRows();
        });
    }
    PostChange(Change::Redraw());
    return true;
}

} // namespace editing
