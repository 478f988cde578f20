#include "shell/app/CMainFrame.h"

#include "editing/ChangeFeed.h"
#include "editing/CommandIds.h"
#include "editing/SurfaceChangeHandler.h"
#include "editing/Workspace.h"
#include "generate/ProjectBudget.h"
#include "generate/ProjectDesktopFile.h"
#include "generate/ResourceBuildOptions.h"
#include "model/APStyleProject.h"
#include "platform/ActiveLanguage.h"
#include "platform/ProgramVersion.h"
#include "platform/UserInteraction.h"
#include "projectfile/SettingsAccessor.h"
#include "projectfile/StandardProjectFileIo.h"
#include "shell/app/BuildRunner.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/app/CZORVEView.h"
#include "shell/app/CommandActions.h"
#include "shell/app/QtUserInteraction.h"
#include "shell/app/SettingsDirectory.h"
#include "shell/app/SurfaceContextMenu.h"
#include "shell/app/ZoomControl.h"
#include "shell/dialogs/BudgetReportDlg.h"
#include "shell/dialogs/CBatchBuildDlg.h"
#include "shell/dialogs/CBuildResDlg.h"
#include "shell/dialogs/CDlgUiResizer.h"
#include "shell/dialogs/CPrjResizeDlg.h"
#include "shell/dialogs/DlgProjectSetting.h"
#include "shell/dialogs/DlgStringSelect.h"
#include "shell/panels/AttributeListCtrl.h"
#include "shell/panels/BuildLogPanel.h"
#include "shell/panels/TextCheckPanel.h"
#include "model/SnapShotItem.h"
#include "shell/panels/CProjectTree.h"
#include "shell/panels/DlgLayerManage.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/panels/DlgResModule.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

static void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace {

using namespace editing::cmd;

const char kIdleText[] = QT_TRANSLATE_NOOP("CMainFrame", "就绪");

} // namespace

// The frame's subscription to the workspace's changes, after the panels of the workspace.
class CMainFrame::ChangeView : public editing::ChangeObserver
{
public:
    explicit ChangeView(CMainFrame& frame) : m_frame(frame)
    {
        m_frame.m_workspace->Feed().Subscribe(this);
    }
    ~ChangeView() override { m_frame.m_workspace->Feed().Unsubscribe(this); }

    void OnChanges(const editing::ChangeSet& changes) override { m_frame.onChanges(changes); }

private:
    CMainFrame& m_frame;
};

CMainFrame::CMainFrame(const QString& programDirectory, QWidget* parent)
    : QMainWindow(parent), m_programDirectory(programDirectory),
      m_settingsDirectory(SettingsDirectory::forProgram(programDirectory)),
      m_layoutStore(m_settingsDirectory + QStringLiteral("zorve.ini")),
      m_options((m_settingsDirectory + QStringLiteral("SkinSmith.ini")).toStdString()),
      m_interaction(new QtUserInteraction(this, this)),
      m_editor(std::make_unique<QtVisualEditor>()),
      m_workspace(std::make_unique<editing::Workspace>(*m_editor)),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    // A build reports its progress from its own thread: the report is handed to this one.
    m_workspace->Feed().SetHandoff([this](std::function<void()> work) {
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    });
    initShellResources();
    projectfile::InstallProjectFileIo();
    platform::setInteraction(m_interaction);
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("SkinSmith"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/skinsmith.svg")));

    m_options.Read();
    m_options.Install(m_commands);
    m_doc = new CZORVEDoc(*m_workspace, m_options, this, m_layoutStore, this);
    m_buildRunner = new BuildRunner(*m_interaction, this, this);
    m_view = new CZORVEView(*m_editor, editing::SurfaceChangeHandler::Callback(*m_workspace), this);
    setCentralWidget(m_view);
    m_view->viewport()->installEventFilter(this);
    m_view->installEventFilter(this);
    m_zoom = new ZoomControl(*m_workspace, *m_editor, *m_view, this);

    createDocks();
    installHandlers();
    m_actions = new CommandActions(m_commands, *m_workspace, this);
    createToolBar();
    createMenus();
    createStatusBar();
    new SurfaceContextMenu(
        *m_editor, *m_actions, {kCopy, kPaste, kDelete, 0, kMoveUp, kMoveDown, 0, kZoomSelection},
        {kAlignLeft, kAlignRight, kAlignTop, kAlignBottom, kAlignHorizontalCentre,
         kAlignVerticalCentre, 0, kDistributeHorizontally, kDistributeVertically, 0, kSameWidth,
         kSameHeight, kSameSize},
        this);
    connect(m_editor.get(), &QtVisualEditor::cursorMoved, this, &CMainFrame::showCursorPosition);
    connect(m_editor.get(), &QtVisualEditor::cursorMoved, m_view, &CZORVEView::markCursor);
    m_changeView = std::make_unique<ChangeView>(*this);

    connect(m_doc, &CZORVEDoc::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_doc, &CZORVEDoc::projectsChanged, this, &CMainFrame::scheduleActionUpdate);
    // Once the window has its size: the first scene of an opened project fills the view.
    connect(m_doc, &CZORVEDoc::projectOpened, this,
            [this] { QTimer::singleShot(0, m_zoom, &ZoomControl::zoomToFit); });
    connect(m_doc, &CZORVEDoc::recentFilesChanged, this, &CMainFrame::fillRecentFiles);
    connect(m_actions, &CommandActions::commandRan, this, &CMainFrame::refreshState);
    connect(m_buildRunner, &BuildRunner::started, this, [this] { m_doc->setBusy(true); });
    connect(m_buildRunner, &BuildRunner::finished, this, [this] {
        m_doc->setBusy(false);
        scheduleActionUpdate();
        reportBuild();
    });
    m_actions->update();
}

CMainFrame::~CMainFrame()
{
    m_changeView.reset();
    // The panels and the view observe the workspace and the surface: they go first.
    qDeleteAll(findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly));
    delete m_view;
    delete m_doc;
    if (&platform::interaction() == m_interaction) {
        platform::setInteraction(nullptr);
    }
}

editing::CommandTable::Result CMainFrame::runCommand(int id)
{
    const auto result = m_commands.Run(*m_workspace, id);
    refreshState();
    return result;
}

void CMainFrame::createDocks()
{
    const auto dock = [this](const QString& title, const char* name, QWidget* content) {
        auto* widget = new QDockWidget(title, this);
        widget->setObjectName(QLatin1String(name));
        widget->setAccessibleName(title);
        widget->setWidget(content);
        connect(widget, &QDockWidget::visibilityChanged, this, &CMainFrame::scheduleActionUpdate);
        return widget;
    };
    m_tree = new CProjectTree(*m_workspace, m_commands, this);
    connect(m_tree, &CProjectTree::commandRan, this, &CMainFrame::refreshState);
    m_treeDock = dock(tr("资源"), "treePanel", m_tree);
    m_layerDock = dock(tr("层管理"), "layerPanel", new DlgLayerManage(*m_workspace, this));
    m_grid = new AttributeListCtrl(*m_workspace, this);
    m_grid->setStringChooser([this](const StringRegistry& strings) -> std::optional<StringRecord> {
        DlgStringSelect dialog(strings, this);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.chosen();
    });
    m_propertyDock = dock(tr("属性"), "propertyPanel", m_grid);
    m_resourceDock = dock(tr("资源管理"), "resourcePanel", new DlgResModule(*m_workspace, this));
    addDockWidget(Qt::LeftDockWidgetArea, m_treeDock);
    addDockWidget(Qt::RightDockWidgetArea, m_propertyDock);
    addDockWidget(Qt::BottomDockWidgetArea, m_resourceDock);
    addDockWidget(Qt::BottomDockWidgetArea, m_layerDock);
    m_buildLog = new BuildLogPanel(this);
    m_buildLogDock = dock(tr("生成日志"), "buildLogPanel", m_buildLog);
    addDockWidget(Qt::BottomDockWidgetArea, m_buildLogDock);
    tabifyDockWidget(m_resourceDock, m_buildLogDock);
    m_textCheck = new TextCheckPanel(
        *m_workspace, *m_editor, [this](SnapShotItem& element) { reveal(element); }, this);
    m_textCheckDock = dock(tr("文本检查"), "textCheckPanel", m_textCheck);
    addDockWidget(Qt::BottomDockWidgetArea, m_textCheckDock);
    tabifyDockWidget(m_resourceDock, m_textCheckDock);
    m_resourceDock->raise();
    resizeDocks({m_treeDock}, {220}, Qt::Horizontal);
    resizeDocks({m_propertyDock}, {360}, Qt::Horizontal);
    resizeDocks({m_resourceDock}, {200}, Qt::Vertical);
    m_layerDock->hide();
    m_buildLogDock->hide();
    m_textCheckDock->hide();
}

void CMainFrame::reveal(SnapShotItem& element)
{
    const GraphRect rect = element.AbsoluteRect();
    const double zoom = m_editor->Scale();
    m_view->scrollToPanelRect(
        QRectF(rect.left * zoom, rect.top * zoom, rect.Width() * zoom, rect.Height() * zoom)
            .toAlignedRect());
}

void CMainFrame::installPanelSwitch(int id, QWidget* panel)
{
    // A panel behind another one's tab counts as hidden: choosing it brings it to the front.
    m_commands.SetHandler(id, [panel](editing::Workspace&) {
        const bool show = !panel->isVisible();
        panel->setVisible(show);
        if (show) {
            panel->raise();
        }
    });
    m_commands.SetChecked(id, [panel](editing::Workspace&) { return panel->isVisible(); });
}

void CMainFrame::installLanguageChoice()
{
    for (const auto& [id, language] :
         {std::pair{kUiLanguageChinese, platform::UiLanguage::Chinese},
          std::pair{kUiLanguageEnglish, platform::UiLanguage::English}}) {
        const platform::UiLanguage chosen = language;
        m_commands.SetHandler(id, [this, chosen](editing::Workspace&) { chooseLanguage(chosen); });
        m_commands.SetChecked(
            id, [this, chosen](editing::Workspace&) { return nextStartLanguage() == chosen; });
    }
}

void CMainFrame::chooseLanguage(platform::UiLanguage language)
{
    if (!m_options.SetUiLanguage(platform::uiLanguageCode(language))) {
        platform::interaction().showMessage(
            tr("无法保存语言设置：%1")
                .arg(QString::fromStdString(m_options.SettingsPath()))
                .toStdString(),
            "SkinSmith", platform::MessageIcon::Warning);
        return;
    }
    if (language != platform::activeUiLanguage()) {
        platform::interaction().showMessage(
            tr("界面语言将在下次启动 SkinSmith 时更改。").toStdString(), "SkinSmith",
            platform::MessageIcon::Information);
    }
}

platform::UiLanguage CMainFrame::nextStartLanguage() const
{
    return platform::parseUiLanguage(m_options.UiLanguage()).value_or(platform::activeUiLanguage());
}

void CMainFrame::installHandlers()
{
    m_zoom->install(m_commands);
    const auto handle = [this](int id, auto work) {
        m_commands.SetHandler(id, [work](editing::Workspace&) { work(); });
    };
    handle(kNewProject, [this] { m_doc->newProject(); });
    handle(kOpenProject, [this] { m_doc->openProject(); });
    handle(kSaveProject, [this] { m_doc->saveCurrent(); });
    handle(kSaveAll, [this] { m_doc->saveAll(); });
    handle(kSaveAs, [this] { m_doc->saveAs(); });
    handle(kAutoSave, [this] { m_doc->switchAutoSave(); });
    m_commands.SetChecked(kAutoSave,
                          [this](editing::Workspace&) { return m_doc->document().AutoSaveOn(); });
    handle(kCloseProject, [this] { m_doc->closeCurrent(); });
    handle(kCloseAll, [this] { m_doc->closeAll(); });
    handle(kExit, [this] { close(); });
    handle(kProjectSettings, [this] { showProjectSettings(); });
    handle(kProjectResize, [this] { showProjectResize(); });
    handle(kResizer, [this] { showUiResizer(); });
    handle(kBuild, [this] { buildWithOptionsDialog(); });
    handle(kBuildBest, [this] { generateResources(1); });
    handle(kBuildSmallest, [this] { generateResources(0); });
    handle(kDesktopFiles, [this] { generateDesktopFiles(); });
    handle(kOpenCaseDir, [this] { openCaseDirectory(); });
    handle(kBatchBuild, [this] { showBatchBuild(); });
    handle(kBudgetReport, [this] { showBudgetReport(); });
    handle(kHelp, [this] { showHelp(); });
    handle(kAbout, [this] { showAbout(); });
    installLanguageChoice();
    installPanelSwitch(kTreePanel, m_treeDock);
    installPanelSwitch(kPropertyPanel, m_propertyDock);
    installPanelSwitch(kResourcePanel, m_resourceDock);
    installPanelSwitch(kLayerPanel, m_layerDock);
    installPanelSwitch(kBuildLogPanel, m_buildLogDock);
    installPanelSwitch(kTextCheckPanel, m_textCheckDock);
    m_commands.SetHandler(kRulers, [this](editing::Workspace&) {
        m_view->setRulersVisible(!m_view->rulersVisible());
    });
    m_commands.SetChecked(kRulers, [this](editing::Workspace&) { return m_view->rulersVisible(); });
    m_commands.SetHandler(kGuides, [this](editing::Workspace&) {
        m_editor->setGuidesShown(!m_editor->surface().UserGuidesShown());
    });
    m_commands.SetChecked(
        kGuides, [this](editing::Workspace&) { return m_editor->surface().UserGuidesShown(); });
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(tr("工具栏"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setAccessibleName(tr("工具栏"));
    m_toolBar->setIconSize(QSize(24, 24));
    const int gap = 0;
    const int order[] = {kNewProject,
                         kOpenProject,
                         kSaveProject,
                         kSaveAll,
                         gap,
                         kAddScene,
                         kAddGroup,
                         kAddString,
                         kAddPicture,
                         kAddRegion,
                         kAddFrame,
                         gap,
                         kCopy,
                         kPaste,
                         kDelete,
                         gap,
                         kMoveDown,
                         kMoveUp,
                         gap,
                         kUndo,
                         kRedo,
                         gap,
                         kBuild,
                         gap,
                         kOpenCaseDir,
                         gap,
                         kTreePanel,
                         kPropertyPanel,
                         kResourcePanel,
                         gap,
                         kResizer,
                         gap,
                         kDesktopFiles,
                         kBatchBuild,
                         kAbout};
    for (const int id : order) {
        if (id == gap) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(m_actions->action(id));
        }
    }
    QToolBar* arrange = addToolBar(tr("排列"));
    arrange->setObjectName(QStringLiteral("arrangeToolBar"));
    arrange->setAccessibleName(tr("排列工具栏"));
    arrange->setIconSize(QSize(24, 24));
    const int arrangeOrder[] = {kAlignLeft,
                                kAlignRight,
                                kAlignTop,
                                kAlignBottom,
                                kAlignHorizontalCentre,
                                kAlignVerticalCentre,
                                gap,
                                kDistributeHorizontally,
                                kDistributeVertically,
                                gap,
                                kSameWidth,
                                kSameHeight,
                                kSameSize};
    for (const int id : arrangeOrder) {
        if (id == gap) {
            arrange->addSeparator();
        } else {
            arrange->addAction(m_actions->action(id));
        }
    }
    // The button that shows the buttons a narrow window has no room for.
    for (QToolBar* bar : {m_toolBar, arrange}) {
        if (auto* more =
                bar->findChild<QAbstractButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
            more->setAccessibleName(tr("更多工具"));
            more->setToolTip(tr("更多工具"));
        }
    }
    m_commands.SetHandler(
        kToolbar, [this](editing::Workspace&) { m_toolBar->setVisible(!m_toolBar->isVisible()); });
    m_commands.SetChecked(kToolbar, [this](editing::Workspace&) { return m_toolBar->isVisible(); });
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &CMainFrame::scheduleActionUpdate);
}

void CMainFrame::createMenus()
{
    const auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (const int id : ids) {
            if (id == 0) {
                menu->addSeparator();
            } else {
                menu->addAction(m_actions->action(id));
            }
        }
    };
    const auto menu = [this](const QString& title) {
        QMenu* created = menuBar()->addMenu(title);
        created->setAccessibleName(QString(title).remove(QLatin1Char('&')));
        connect(created, &QMenu::aboutToShow, m_actions, &CommandActions::update);
        return created;
    };

    menuBar()->setAccessibleName(tr("菜单栏"));
    QMenu* file = menu(tr("文件(&F)"));
    add(file, {kNewProject, kOpenProject, kSaveProject, kSaveAll, kSaveAs, 0, kAutoSave, 0,
               kCloseProject, kCloseAll, 0});
    m_recentMenu = file->addMenu(tr("最近文件"));
    m_recentMenu->setAccessibleName(tr("最近文件"));
    file->addSeparator();
    add(file, {kExit});
    fillRecentFiles();

    QMenu* edit = menu(tr("编辑(&E)"));
    add(edit, {kUndo, kRedo, 0, kCopy, kPaste, kDelete, kSelectAll, 0, kMoveUp, kMoveDown, 0,
               kMultiSelect, kSearch});

    QMenu* arrange = menu(tr("排列(&A)"));
    add(arrange, {kAlignLeft, kAlignRight, kAlignTop, kAlignBottom, kAlignHorizontalCentre,
                  kAlignVerticalCentre, 0, kDistributeHorizontally, kDistributeVertically, 0,
                  kSameWidth, kSameHeight, kSameSize});

    QMenu* project = menu(tr("工程(&P)"));
    add(project, {kAddScene, kAddGroup, kAddString, kAddRegion, kAddPicture, kAddFrame, 0,
                  kProjectSettings, kProjectResize});
    m_actions->action(kProjectSettings)->setText(tr("工程设置(&G)..."));

    QMenu* build = menu(tr("生成(&B)"));
    QMenu* formats = build->addMenu(tr("图片资源格式(&F)"));
    formats->setAccessibleName(tr("图片资源格式"));
    add(formats, {kFormatRgb565, kFormatArgb565, kFormatRgb888, kFormatArgb888, kFormatWatch,
                  kFormatArgb6666, kFormatArgb1555});
    add(build, {kCompress, kPicSameName, 0});
    QMenu* generate = build->addMenu(tr("生成资源"));
    generate->setAccessibleName(tr("生成资源"));
    add(generate, {kBuildBest, kBuildSmallest});
    add(build, {kBuild, kBatchBuild, kBudgetReport, 0, kDesktopFiles, kResizer, kOpenCaseDir});

    QMenu* view = menu(tr("视图(&V)"));
    add(view, {kToolbar,
               kStatusBar,
               0,
               kTreePanel,
               kPropertyPanel,
               kResourcePanel,
               kLayerPanel,
               kBuildLogPanel,
               kTextCheckPanel,
               0,
               kRulers,
               kGuides,
               0,
               kPseudoAccented,
               kPseudoMirrored,
               0,
               kZoomIn,
               kZoomOut,
               kZoomFit,
               kZoomActual,
               kZoomSelection,
               0});
    QMenu* language = view->addMenu(tr("语言(&N)"));
    language->setAccessibleName(tr("语言"));
    add(language, {kUiLanguageChinese, kUiLanguageEnglish});

    QMenu* help = menu(tr("帮助(&H)"));
    add(help, {kHelp, 0, kAbout});
}

void CMainFrame::fillRecentFiles()
{
    m_recentMenu->clear();
    const QStringList files = m_doc->recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files[i];
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file));
        connect(action, &QAction::triggered, this, [this, file] {
            m_doc->openPath(file);
            scheduleActionUpdate();
        });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void CMainFrame::createStatusBar()
{
    m_statusText = new QLabel(tr(kIdleText), this);
    m_statusText->setAccessibleName(tr("状态"));
    m_coordinates = new QLabel(tr("当前坐标：000 ，000"), this);
    m_coordinates->setAccessibleName(tr("当前坐标"));
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(tr("进度"));
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    statusBar()->addWidget(m_statusText, 1);
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_zoom->createStatusPane(this));
    statusBar()->addPermanentWidget(m_coordinates);
    statusBar()->setAccessibleName(tr("状态栏"));
    m_commands.SetHandler(kStatusBar, [this](editing::Workspace&) {
        statusBar()->setVisible(!statusBar()->isVisible());
    });
    m_commands.SetChecked(kStatusBar,
                          [this](editing::Workspace&) { return statusBar()->isVisible(); });
}

void CMainFrame::reportBuild()
{
    const BuildRunner::BuildReport* report = m_buildRunner->lastBuild();
    const BuildRunner::Result result = m_buildRunner->lastResult();
    if (!report) {
        return;
    }
    if (result == BuildRunner::Result::Cancelled) {
        statusBar()->showMessage(tr("已取消生成资源，原有文件均未改变"), 10000);
    }
    const QString project = QString::fromStdString(report->project);
    QStringList lines;
    if (result == BuildRunner::Result::Succeeded) {
        const QString done = QString::fromStdString(report->summary.StatusText());
        statusBar()->showMessage(done, 15000);
        lines << QString::fromStdString(report->summary.LogText());
    } else if (result == BuildRunner::Result::Cancelled) {
        lines << tr("已取消生成资源，原有文件均未改变");
    } else {
        lines << tr("生成资源失败");
    }
    for (const std::string& warning : report->warnings) {
        lines << QString::fromStdString(warning);
    }
    for (const std::string& error : report->errors) {
        lines << QString::fromStdString(error);
    }
    m_buildLog->addEntry(project, lines.join(QLatin1Char('\n')));
}

void CMainFrame::showCursorPosition(int x, int y)
{
    m_coordinates->setText(tr("当前坐标:%1, %2").arg(x).arg(y));
}

void CMainFrame::onChanges(const editing::ChangeSet& changes)
{
    if (changes.Modifies()) {
        m_doc->document().SetModifiedFlag(true);
    }
    if (const editing::Change* resize = changes.Last(editing::ChangeKind::SurfaceResize)) {
        m_zoom->fitPanelTo(resize->width, resize->height);
    }
    if (const editing::Change* note = changes.Last(editing::ChangeKind::StatusNote)) {
        statusBar()->showMessage(QString::fromStdString(note->text), 5000);
    }
    if (const editing::Change* step = changes.Last(editing::ChangeKind::GenerationStep)) {
        showGenerationProgress(static_cast<int>(step->value), QString::fromStdString(step->text));
    }
    refreshState();
}

void CMainFrame::showGenerationProgress(int percent, const QString& text)
{
    if (percent == 0) {
        m_progress->hide();
        m_statusText->setText(tr(kIdleText));
        return;
    }
    m_statusText->setText(tr("完成%1%2%").arg(text, QString::number(percent)));
    m_progress->setValue(percent);
    m_progress->show();
}

void CMainFrame::scheduleActionUpdate()
{
    if (m_actionUpdatePending) {
        return;
    }
    m_actionUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_actionUpdatePending = false;
        refreshState();
    });
}

void CMainFrame::refreshState()
{
    // Commands mark projects modified in the model; the title shows it.
    m_doc->document().RefreshTitle();
    m_actions->update();
}

void CMainFrame::wheelZoom(bool towardsUser)
{
    m_zoom->wheel(towardsUser);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == m_view->viewport()) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->angleDelta().y() != 0 && m_workspace->CurrentProject()) {
            wheelZoom(wheel->angleDelta().y() < 0);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            // The Delete key passes refusals silently; the menu's delete does not.
            m_commands.RunQuietly(*m_workspace, kDeleteSelected);
            refreshState();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::generateResources(int quality)
{
    APStyleProject* project = m_workspace->CurrentProject();
    if (!project || m_buildRunner->isRunning()) {
        return;
    }
    const SettingsAccessor settings(m_options.SettingsPath());
    generate::ResourceBuildOptions options = generate::readResourceBuildOptions(settings);
    options.quality = quality;
    options.debugMode = qApp->property("skinsmithDebugMode").toBool();
    m_buildRunner->startBuild(*project, options);
}

void CMainFrame::buildWithOptionsDialog()
{
    APStyleProject* project = m_workspace->CurrentProject();
    if (!project || m_buildRunner->isRunning()) {
        return;
    }
    CBuildResDlg dialog(m_options.SettingsPath(), project->NextLayerId(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // The dialog has stored its values (RAW_JPEG among them): the menus follow them.
    m_options.Read();
    generate::ResourceBuildOptions options =
        generate::readResourceBuildOptions(SettingsAccessor(m_options.SettingsPath()));
    dialog.model().applyTo(options);
    options.debugMode = qApp->property("skinsmithDebugMode").toBool();
    m_buildRunner->startBuild(*project, options, true);
}

void CMainFrame::generateDesktopFiles()
{
    if (APStyleProject* project = m_workspace->CurrentProject()) {
        generate::ProjectDesktopFile::writeAndReport(*project);
    }
}

void CMainFrame::openCaseDirectory()
{
    APStyleProject* project = m_workspace->CurrentProject();
    if (!project) {
        return;
    }
    std::string caseDir = project->CaseDir();
    if (caseDir.empty()) {
        caseDir = QFileInfo(QString::fromStdString(project->ProjectFilePath()))
                      .absolutePath()
                      .toStdString();
        project->SetCaseDir(caseDir);
    }
    if (!m_openUrl(QUrl::fromLocalFile(QString::fromStdString(caseDir)))) {
        platform::interaction().showMessage(
            tr("无法打开目录：%1").arg(QString::fromStdString(caseDir)).toStdString(), "SkinSmith");
    }
}

void CMainFrame::showHelp()
{
    // The manual in the window's language, else in the other one.
    const platform::UiLanguage shown = platform::activeUiLanguage();
    const platform::UiLanguage other = shown == platform::UiLanguage::Chinese
                                           ? platform::UiLanguage::English
                                           : platform::UiLanguage::Chinese;
    QStringList candidates;
    for (const platform::UiLanguage language : {shown, other}) {
        const QString page =
            QString::fromLatin1(platform::uiLanguageCode(language)) + QStringLiteral("/index.html");
        candidates << m_programDirectory + QStringLiteral("manual/") + page
                   << m_programDirectory + QStringLiteral("../share/doc/skinsmith/manual/") + page;
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) {
            const QUrl manual = QUrl::fromLocalFile(QFileInfo(candidate).canonicalFilePath());
            // Without a browser to hand the page to, the manual opens in a window of its own.
            if (!m_openUrl(manual)) {
                showManualWindow(manual);
            }
            return;
        }
    }
    platform::interaction().showMessage(
        tr("找不到用户手册：%1").arg(candidates.front()).toStdString(), "SkinSmith");
}

void CMainFrame::showManualWindow(const QUrl& manual)
{
    if (!m_manualWindow) {
        m_manualWindow = new QDialog(this);
        m_manualWindow->setObjectName(QStringLiteral("manualWindow"));
        m_manualWindow->setWindowTitle(tr("用户手册"));
        m_manualWindow->setAccessibleName(tr("用户手册"));
        auto* browser = new QTextBrowser(m_manualWindow);
        browser->setAccessibleName(tr("用户手册"));
        browser->setOpenExternalLinks(false);
        auto* layout = new QVBoxLayout(m_manualWindow);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        m_manualWindow->resize(860, 640);
    }
    auto* browser = m_manualWindow->findChild<QTextBrowser*>();
    browser->setSource(manual);
    m_manualWindow->show();
    m_manualWindow->raise();
    m_manualWindow->activateWindow();
}

void CMainFrame::showAbout()
{
    QMessageBox box(QMessageBox::Information, tr("关于 SkinSmith"),
                    QStringLiteral("SkinSmithV") + QString::fromLatin1(platform::programVersion()),
                    QMessageBox::Ok, this);
    box.setIconPixmap(QIcon(QStringLiteral(":/icons/skinsmith.svg")).pixmap(64, 64));
    box.setAccessibleName(tr("关于 SkinSmith"));
    box.exec();
}

void CMainFrame::showProjectSettings()
{
    APStyleProject* project = m_workspace->CurrentProject();
    if (!project) {
        return;
    }
    DlgProjectSetting dialog(*project, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_workspace->Tree().SetProjectLabel(*project, project->Name());
        m_editor->Refresh();
        m_doc->document().RefreshTitle();
    }
}

void CMainFrame::showBatchBuild()
{
    const APStyleProject* project = m_workspace->CurrentProject();
    CBatchBuildDlg dialog(project ? project->CaseDir() : std::string(), this);
    dialog.exec();
}

void CMainFrame::showBudgetReport()
{
    const APStyleProject* project = m_workspace->CurrentProject();
    if (!project) {
        return;
    }
    // The report is of the project file as saved, read from its outputs or built aside, on the
    // worker thread: a build aside takes as long as a build.
    generate::ResourceBuildOptions options =
        generate::readResourceBuildOptions(SettingsAccessor(m_options.SettingsPath()));
    auto report = std::make_shared<generate::BudgetReport>();
    auto error = std::make_shared<std::string>();
    const bool started = m_buildRunner->startCancellable(
        tr("资源空间报告"), [path = project->ProjectFilePath(), options, report,
                             error](const BuildRunner::CancelCheck& cancelled) mutable {
            options.cancelRequested = cancelled;
            if (generate::ProjectBudget::OfProjectFile(path, options, *report, *error,
                                                       &platform::interaction().progress())) {
                return BuildRunner::Result::Succeeded;
            }
            return cancelled() ? BuildRunner::Result::Cancelled : BuildRunner::Result::Failed;
        });
    if (!started) {
        return;
    }
    connect(
        m_buildRunner, &BuildRunner::finished, this,
        [this, report, error] {
            const BuildRunner::Result result = m_buildRunner->lastResult();
            if (result == BuildRunner::Result::Failed) {
                platform::interaction().showMessage(tr("无法生成资源空间报告：%1")
                                                        .arg(QString::fromStdString(*error))
                                                        .toStdString(),
                                                    "SkinSmith");
            } else if (result == BuildRunner::Result::Succeeded) {
                BudgetReportDlg dialog(*report, this);
                dialog.exec();
            }
        },
        Qt::SingleShotConnection);
}

void CMainFrame::showProjectResize()
{
    if (APStyleProject* project = m_workspace->CurrentProject()) {
        CPrjResizeDlg dialog(*project, this);
        if (dialog.exec() == QDialog::Accepted) {
            m_workspace->Feed().Post(
                editing::Change::Resize(project->ScreenWidth(), project->ScreenHeight()));
        }
    }
}

void CMainFrame::showUiResizer()
{
    const APStyleProject* project = m_workspace->CurrentProject();
    CDlgUiResizer dialog(project ? project->CaseDir() : std::string(), this);
    dialog.exec();
}

void CMainFrame::saveLayout() const
{
    QSettings store(m_layoutStore, QSettings::IniFormat);
    store.setValue(QStringLiteral("MainFrame/state"), saveState());
    store.setValue(QStringLiteral("MainFrame/geometry"), saveGeometry());
    store.setValue(QStringLiteral("View/rulers"), m_view->rulersVisible());
    store.setValue(QStringLiteral("View/guides"), m_editor->surface().UserGuidesShown());
}

void CMainFrame::restoreLayout()
{
    const QSettings store(m_layoutStore, QSettings::IniFormat);
    restoreGeometry(store.value(QStringLiteral("MainFrame/geometry")).toByteArray());
    restoreState(store.value(QStringLiteral("MainFrame/state")).toByteArray());
    m_view->setRulersVisible(store.value(QStringLiteral("View/rulers"), true).toBool());
    m_editor->setGuidesShown(store.value(QStringLiteral("View/guides"), true).toBool());
    m_actions->update();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_buildRunner->isRunning()) {
        // Asks whether to cancel the build; on yes the window closes once it has stopped.
        event->ignore();
        m_buildRunner->askToCancelForClose(this);
        return;
    }
    saveLayout();
    if (!m_doc->saveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}
