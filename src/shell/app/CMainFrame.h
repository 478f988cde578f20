#pragma once

#include "editing/CommandTable.h"
#include "editing/EditorOptions.h"
#include "platform/UiLanguage.h"

#include <QMainWindow>

#include <functional>

#include <memory>

class BuildLogPanel;
class SnapShotItem;
class TextCheckPanel;
class BuildRunner;
class CommandActions;
class CZORVEDoc;
class CZORVEView;
class QDialog;
class QDockWidget;
class QUrl;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
class QtUserInteraction;
class AttributeListCtrl;
class CProjectTree;
class QtVisualEditor;
class ZoomControl;

namespace editing {
class ChangeSet;
class Workspace;
} // namespace editing

// The main window: toolbar, menus, status bar and the four docking panels around the editing
// view. It owns the workspace, the command table and the document, runs every command through
// the table and handles the private main-window messages.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // `programDirectory` (ending in '/') holds the manual, "SkinSmith.ini" and "zorve.ini" (the
    // two settings files move to the user's configuration folder when it is read-only).
    explicit CMainFrame(const QString& programDirectory, QWidget* parent = nullptr);
    ~CMainFrame() override;

    editing::Workspace& workspace() { return *m_workspace; }
    editing::CommandTable& commands() { return m_commands; }
    editing::EditorOptions& options() { return m_options; }
    CommandActions& actions() { return *m_actions; }
    CZORVEDoc& doc() { return *m_doc; }
    CZORVEView& view() { return *m_view; }
    QtVisualEditor& surface() { return *m_editor; }
    CProjectTree& tree() { return *m_tree; }
    BuildRunner& buildRunner() { return *m_buildRunner; }
    QDockWidget* treeDock() const { return m_treeDock; }
    QDockWidget* layerDock() const { return m_layerDock; }
    QDockWidget* propertyDock() const { return m_propertyDock; }
    QDockWidget* resourceDock() const { return m_resourceDock; }
    QDockWidget* buildLogDock() const { return m_buildLogDock; }
    BuildLogPanel* buildLog() const { return m_buildLog; }
    QDockWidget* textCheckDock() const { return m_textCheckDock; }
    TextCheckPanel* textCheck() const { return m_textCheck; }
    QLabel* coordinatePane() const { return m_coordinates; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* statusText() const { return m_statusText; }

    // Runs command `id` as its menu item would (only while enabled).
    editing::CommandTable::Result runCommand(int id);
    // The docking layout in "zorve.ini".
    void saveLayout() const;
    void restoreLayout();
    // Shows the cursor's position on the editing surface in the coordinate pane.
    void showCursorPosition(int x, int y);
    // Hands a folder or the manual to the desktop; false when nothing could take it (a
    // machine without a browser), and the manual then opens in a window of the editor's own.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }
    QDialog* manualWindow() const { return m_manualWindow; }
    // One wheel step over the view: towards the user zooms in.
    void wheelZoom(bool towardsUser);
    ZoomControl& zoom() { return *m_zoom; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ChangeView;

    void createDocks();
    // Scrolls the surface so that `element` is in view.
    void reveal(SnapShotItem& element);
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void installHandlers();
    void installPanelSwitch(int id, QWidget* panel);
    void installLanguageChoice();
    // 视图 -> 语言: keeps `language` for the next start and says so.
    void chooseLanguage(platform::UiLanguage language);
    // The language the window starts in next time without --lang.
    platform::UiLanguage nextStartLanguage() const;
    void fillRecentFiles();
    // The frame's own views (surface size, progress, modified mark, title, actions) after
    // each batch of changes.
    void onChanges(const editing::ChangeSet& changes);
    void showGenerationProgress(int percent, const QString& text);
    // The status bar and the build log after a run of the build runner.
    void reportBuild();
    void scheduleActionUpdate();
    void refreshState();
    void generateResources(int quality);
    // "生成资源": the build options dialog, then the build with its values.
    void buildWithOptionsDialog();
    void generateDesktopFiles();
    void openCaseDirectory();
    void showHelp();
    void showManualWindow(const QUrl& manual);
    void showAbout();
    void showProjectSettings();
    void showBatchBuild();
    void showBudgetReport();
    void showProjectResize();
    void showUiResizer();

    QString m_programDirectory;
    QString m_settingsDirectory;
    QString m_layoutStore;
    editing::CommandTable m_commands;
    editing::EditorOptions m_options;
    QtUserInteraction* m_interaction;
    std::unique_ptr<QtVisualEditor> m_editor;
    std::unique_ptr<editing::Workspace> m_workspace;
    std::unique_ptr<ChangeView> m_changeView;
    CommandActions* m_actions = nullptr;
    CZORVEDoc* m_doc = nullptr;
    CZORVEView* m_view = nullptr;
    ZoomControl* m_zoom = nullptr;
    CProjectTree* m_tree = nullptr;
    AttributeListCtrl* m_grid = nullptr;
    BuildRunner* m_buildRunner = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QDockWidget* m_layerDock = nullptr;
    QDockWidget* m_propertyDock = nullptr;
    QDockWidget* m_resourceDock = nullptr;
    QDockWidget* m_buildLogDock = nullptr;
    BuildLogPanel* m_buildLog = nullptr;
    QDockWidget* m_textCheckDock = nullptr;
    TextCheckPanel* m_textCheck = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_statusText = nullptr;
    QLabel* m_coordinates = nullptr;
    QProgressBar* m_progress = nullptr;
    QDialog* m_manualWindow = nullptr;
    std::function<bool(const QUrl&)> m_openUrl;
    bool m_actionUpdatePending = false;
};
