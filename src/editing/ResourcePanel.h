#pragma once

#include "editing/Change.h"
#include "platform/UiText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class APStyleProject;

namespace editing {

class Workspace;

// Told by ResourcePanel when its rows change, so that a view updates by notification.
class ResourcePanelObserver
{
public:
    virtual ~ResourcePanelObserver() = default;
    // Columns, rows or the shown list changed as a whole.
    virtual void onPanelReset() = 0;
    // `count` rows were appended from row `first` on.
    virtual void onRowsAppended(int first, int count) = 0;
};

// The resource manager panel without a window: which list is shown (the workspace's
// picture or string list of the current project), its columns and rows, the pictures
// found missing, and the panel's commands (context menu 133) and double-click assignment.
// Rows are read from the registry on demand, so a list of any length fills at once.
class ResourcePanel : private ChangeObserver
{
public:
    // Context menu 133.
    enum Command : int
    {
        kCmdRefresh = 32829,
        kCmdAddFiles = 32823,
        kCmdAddDirectory = 32824,
        kCmdDeleteSelection = 32826,
        kCmdClearList = 32825,
        kCmdClearAllLists = 32827,
        // Second pop-up: update the resources from sub-directories of "resource".
        kCmdUpdatePictures = 32797,
        kCmdUpdateStrings = 32798
    };

    static constexpr const char* kAddFilesTitle = N_("请选择资源文件");
    static constexpr const char* kAddFilesFilter =
        N_("所有资源文件(*.txt;*.png;*.bmp;*.jpg;*.xls;*.xlsx;*.csv)|"
           "*.txt;*.png;*.bmp;*.jpg;*.xls;*.xlsx;*.csv|"
           "图片资源(*.png;*.bmp;*.jpg;*.ico)|*.png;*.bmp;*.jpg;*.ico|文本资源(*.txt)|*.txt|"
           "Excel表格(*.xls;*.xlsx;*.csv)|*.xls;*.xlsx;*.csv|所有文件 (*.*)|*.*|");
    static constexpr const char* kApplyStringFileQuestion = N_("是否应用这个字符串文件？");
    static constexpr const char* kApplyStringFileCaption = N_("字符串文件");
    // How the report names the string files read again by a refresh.
    // Lines a section of the report shows in the question.
    static constexpr std::size_t kReportLines = 12;
    static constexpr const char* kRefreshedFiles = N_("字符串文件（刷新）");
    static constexpr const char* kAddDirectoryTitle = N_("请选择添加的路径");
    static constexpr const char* kClearListQuestion =
        N_("确定删除列表？界面使用到的资源同时也被删除！");
    static constexpr const char* kClearAllQuestion =
        N_("确定删除图片和字符串列表？界面使用到的资源同时也被删除！");
    static constexpr const char* kMissingPictureMessage =
        N_("找不到图片，请确认该图片存在，并重新刷新列表！");
    // Followed by the resource folder, when it holds no folder to update from.
    static constexpr const char* kNoResourceDirsMessage = N_("找不到资源子目录：");
    static constexpr int kMaxLanguageColumns = 40;

    // Follows `ws`: refills whenever the workspace asks the panel to (another project,
    // another list). The workspace must outlive the panel.
    explicit ResourcePanel(Workspace& ws);
    ~ResourcePanel() override;
    ResourcePanel(const ResourcePanel&) = delete;
    ResourcePanel& operator=(const ResourcePanel&) = delete;

    // Not owned; null for none.
    void SetObserver(ResourcePanelObserver* observer) { m_observer = observer; }

    APStyleProject* Project() const;
    // 0 pictures, 1 strings.
    int ShownList() const;

    // Column titles: "ID", "Value", "Path" for pictures; "ID", "Value" and the named
    // languages for strings.
    const std::vector<std::string>& Columns() const { return m_columns; }
    static int ColumnWidth(int list, int column);
    int RowCount() const;
    // Name, id in decimal, then path or the text of each language.
    std::string CellText(int row, int column) const;
    // The record number of `row`, or 0.
    std::uint32_t RowId(int row) const;
    // True when the picture of `row` was missing at the last refresh.
    bool IsMissing(int row) const;
    // The resolved path of the picture in `row`, or "".
    std::string PicturePath(int row) const;
    // Width and height of the picture in `row`, when its file can be read.
    std::optional<std::pair<int, int>> PictureSize(int row) const;
    // The text that copying the string rows `rows` gives: each row's text in the language of
    // `column` (the first language when `column` is not a language column), one row a line.
    // Empty for the picture list and for a list without languages.
    std::string StringTextOfRows(const std::vector<int>& rows, int column) const;
    // The row the last add asks to be selected, or -1.
    int RowToSelect() const { return m_rowToSelect; }

    // Takes the shown list and the missing pictures afresh and resets the view.
    void Refill();

    // Context-menu commands; true when the command may run now.
    bool CanRun(int command) const;
    void Run(int command, const std::vector<int>& selectedRows = {});

    void Refresh();
    // The refresh command on the string list: reads the string files again, shows what
    // that would change and asks before keeping it, as one undo step.
    void RefreshStrings();
    // Asks for files (multiple selection) and adds them.
    void AddFiles();
    // Adds the files at these absolute paths by extension; others are ignored.
    void AddFiles(const std::vector<std::string>& paths);
    // Asks for a folder and adds every resource file below it.
    void AddDirectory();
    void AddDirectory(const std::string& folder);
    void DeleteRows(const std::vector<int>& rows);
    // Each asks first; false when the answer was No.
    bool ClearList();
    bool ClearAllLists();
    // The case directory's "resource" folder (native path), or "" without a project.
    std::string ResourceDirectory() const;
    // The names of the folders directly inside the resource folder, in name order; none when
    // it does not exist.
    std::vector<std::string> ResourceSubDirectories() const;
    // Updates the picture (32797) or string (32798) list from the chosen sub-directories
    // of the case directory's "resource" folder and writes "res.prc" or "res.src" there.
    // Names that are not folders directly inside the resource folder are passed over; when
    // none is left the list stays as it was.
    void UpdateFromResourceDirs(int command, const std::vector<std::string>& subDirectories);

    // Double-click on `row`: assigns the row's picture or string to the current element
    // with an undo record. Returns true when something was assigned.
    bool Assign(int row);

private:
    void OnChanges(const ChangeSet& changes) override;
    void TakeColumns();
    void AfterChange();
    void ClearShown(APStyleProject& project, int list);
    bool AddOne(APStyleProject& project, const std::string& path);
    // Shows what adding the spreadsheet at `path` would change and asks whether to go on;
    // true for other string files, and when the spreadsheet changes nothing.
    bool ConfirmStringFile(const APStyleProject& project, const std::string& path) const;

    Workspace& m_ws;
    ResourcePanelObserver* m_observer = nullptr;
    std::vector<std::string> m_columns;
    std::unordered_set<std::uint32_t> m_missing;
    int m_rowToSelect = -1;
};

} // namespace editing
