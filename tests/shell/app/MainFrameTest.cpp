#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "editing/TextCheckRows.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/ActiveLanguage.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/BuildRunner.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/app/CZORVEView.h"
#include "shell/app/CommandActions.h"
#include "shell/app/UiTranslation.h"
#include "shell/dialogs/BudgetReportDlg.h"
#include "shell/dialogs/DlgProjectCreate.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <set>

using namespace editing::cmd;

class MainFrameTest : public QObject
{
    Q_OBJECT

private slots:
    // The window in the language of the environment, as the program starts it.
    void initTestCase();
    void onlyProjectFreeCommandsAreEnabledWithoutAProject();
    void newProjectThroughTheDialog();
    void openingTheSameFileInAnotherCaseSelectsIt();
    void titleFollowsTheModifiedFlag();
    void cancelledCloseAllKeepsEveryFlag();
    void failedSaveKeepsTheProjectModifiedAndSaysSo();
    void autoSaveWritesAStampedCopy();
    void panelLayoutIsRestoredAfterARestart();
    void wheelZoomStopsAtThreeAndOne();
    void everyControlOfTheWindowHasAnAccessibleName();
    void everyControlOfItsDialogsHasAnAccessibleName();
};

void MainFrameTest::initTestCase()
{
    const platform::UiLanguage language = platform::languageFromEnvironment();
    platform::activateUiLanguage(language);
    QVERIFY(UiTranslation::install(*qApp, language));
}

void MainFrameTest::onlyProjectFreeCommandsAreEnabledWithoutAProject()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    // Exit, auto-save and the tool- and status-bar switches are the window's own.
    const std::set<int> expected = {
        kNewProject,       kOpenProject, kBatchBuild,     kSearch,
        kMultiSelect,      kTreePanel,   kPropertyPanel,  kResourcePanel,
        kLayerPanel,       kHelp,        kAbout,          kExit,
        kAutoSave,         kToolbar,     kStatusBar,      kBuildLogPanel,
        kRulers,           kGuides,      kTextCheckPanel, kUiLanguageChinese,
        kUiLanguageEnglish};
    for (const editing::Command& command : frame.commands().Commands()) {
        QCOMPARE(frame.commands().IsEnabled(frame.workspace(), command.id),
                 expected.count(command.id) == 1);
        // A menu item is enabled only where the rule allows it and a handler exists.
        if (!frame.commands().IsEnabled(frame.workspace(), command.id)) {
            QVERIFY(!frame.actions().action(command.id)->isEnabled());
        }
    }
    QVERIFY(frame.actions().action(kNewProject)->isEnabled());
    QCOMPARE(frame.actions().action(kSaveProject)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(frame.actions().action(kPaste)->shortcuts().size(), 2);
}

void MainFrameTest::newProjectThroughTheDialog()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    const std::string saveDir = example.filePath("work");
    const std::string caseDir = example.filePath("sdk/case");
    std::filesystem::create_directories(saveDir);
    std::filesystem::create_directories(caseDir);
    std::filesystem::create_directories(example.filePath("sdk/psp_rel"));

    // First OK without a name: the message, and the dialog stays; then the browse button for
    // the case directory and a complete OK.
    whenDialogShows<DlgProjectCreate>([&](DlgProjectCreate& dialog) {
        dialog.saveDirEdit()->setText(QString::fromStdString(saveDir));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        dialog.nameEdit()->setText(QStringLiteral("fresh"));
        ui.queuePath(caseDir);
        QMetaObject::invokeMethod(&dialog, [&dialog] {
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->accessibleName() == QStringLiteral("浏览Case目录")) {
                    button->click();
                }
            }
            dialog.accept();
        });
    });
    frame.runCommand(kNewProject);

    QCOMPARE(ui.messages().front(), std::string("工程名不能为空"));
    APStyleProject* project = frame.workspace().CurrentProject();
    QVERIFY(project);
    QCOMPARE(project->ProjectFilePath(), saveDir + "/fresh.ui");
    QCOMPARE(project->CaseDir(), caseDir);
    QVERIFY(platform::isFile(saveDir + "/fresh.ui"));
    QCOMPARE(frame.windowTitle(), QString::fromStdString(saveDir + "/fresh.ui"));
    QVERIFY(frame.actions().action(kSaveProject)->isEnabled());
    QCOMPARE(frame.doc().recentFiles().front(), QString::fromStdString(saveDir + "/fresh.ui"));
}

void MainFrameTest::openingTheSameFileInAnotherCaseSelectsIt()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    const std::string second = example.copyAgain("other");
    QVERIFY(frame.doc().openPath(QString::fromStdString(second)));
    QString upper = QString::fromStdString(example.projectPath());
    upper.replace(QStringLiteral("demo.ui"), QStringLiteral("DEMO.UI"));
    QVERIFY(frame.doc().openPath(upper));
    QCOMPARE(frame.workspace().Projects().size(), std::size_t(2));
    QCOMPARE(frame.workspace().CurrentProject()->ProjectFilePath(), example.projectPath());
}

void MainFrameTest::titleFollowsTheModifiedFlag()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    const QString path = QString::fromStdString(example.projectPath());
    QCOMPARE(frame.windowTitle(), path);
    QCOMPARE(frame.runCommand(kAddScene), editing::CommandTable::Result::Ran);
    QCOMPARE(frame.windowTitle(), path + QStringLiteral(" *"));
    QVERIFY(frame.actions().action(kUndo)->isEnabled());
    QCOMPARE(frame.runCommand(kSaveProject), editing::CommandTable::Result::Ran);
    QCOMPARE(frame.windowTitle(), path);
    QCOMPARE(frame.runCommand(kCloseProject), editing::CommandTable::Result::Ran);
    QCOMPARE(frame.windowTitle(), QStringLiteral("SkinSmith"));
}

void MainFrameTest::cancelledCloseAllKeepsEveryFlag()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    for (const char* name : {"a", "b", "c"}) {
        QVERIFY(frame.doc().openPath(QString::fromStdString(example.copyAgain(name))));
        frame.workspace().CurrentProject()->SetModified(1);
    }
    ui.queueAnswer(platform::Answer::No);
    ui.queueAnswer(platform::Answer::Cancel);
    frame.runCommand(kCloseAll);
    QCOMPARE(frame.workspace().Projects().size(), std::size_t(3));
    for (APStyleProject* project : frame.workspace().Projects()) {
        QCOMPARE(project->Modified(), 1);
    }
    // The window's close asks the same way and stays open on Cancel.
    ui.queueAnswer(platform::Answer::Cancel);
    frame.show();
    QVERIFY(!frame.close());
    QVERIFY(frame.isVisible());
}

void MainFrameTest::failedSaveKeepsTheProjectModifiedAndSaysSo()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    frame.runCommand(kAddScene);
    // The project's folder is replaced by a file: nothing can be written there any more.
    const std::filesystem::path folder = std::filesystem::path(example.projectPath()).parent_path();
    std::filesystem::rename(folder, example.filePath("moved"));
    QVERIFY(platform::writeFileAtomically(folder.string(), "not a folder"));
    frame.runCommand(kSaveProject);
    QCOMPARE(frame.workspace().CurrentProject()->Modified(), 1);
    QVERIFY(frame.windowTitle().endsWith(QStringLiteral(" *")));
    QVERIFY(!ui.messages().empty());
    QVERIFY(ui.messages().back().find("保存失败") != std::string::npos);
}

void MainFrameTest::autoSaveWritesAStampedCopy()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().autoSaveRunning());
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    frame.doc().setClock([] { return platform::LocalTime{2024, 1, 5, 9, 3, 7}; });
    frame.doc().autoSaveNow();
    const std::string copy = example.filePath("demo/demo_2024_01_05_09_03_07.ui");
    QVERIFY(!platform::isFile(copy));
    frame.runCommand(kAddScene);
    frame.doc().autoSaveNow();
    QVERIFY(platform::isFile(copy));
    frame.runCommand(kAutoSave);
    QVERIFY(!frame.doc().autoSaveRunning());
    QVERIFY(!frame.actions().action(kAutoSave)->isChecked());
}

void MainFrameTest::panelLayoutIsRestoredAfterARestart()
{
    ExampleCopy example;
    const QString program = programDirectory(example);
    {
        CMainFrame frame(program);
        frame.show();
        QVERIFY(!frame.layerDock()->isVisible());
        QVERIFY(frame.propertyDock()->isVisible());
        frame.runCommand(kLayerPanel);
        frame.runCommand(kPropertyPanel);
        QVERIFY(frame.layerDock()->isVisible());
        QVERIFY(frame.actions().action(kLayerPanel)->isChecked());
        frame.saveLayout();
    }
    QVERIFY(platform::isFile(program.toStdString() + "zorve.ini"));
    CMainFrame restarted(program);
    restarted.restoreLayout();
    restarted.show();
    QVERIFY(restarted.layerDock()->isVisible());
    QVERIFY(!restarted.propertyDock()->isVisible());
    QVERIFY(!restarted.actions().action(kPropertyPanel)->isChecked());
}

void MainFrameTest::wheelZoomStopsAtThreeAndOne()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    for (int step = 0; step < 10; ++step) {
        frame.wheelZoom(true);
    }
    QCOMPARE(frame.workspace().Panel().Zoom(), 3.0);
    QCOMPARE(frame.view().editingPanel()->size(), QSize(320 * 3 + 9, 240 * 3 + 9));
    for (int step = 0; step < 10; ++step) {
        frame.wheelZoom(false);
    }
    QCOMPARE(frame.workspace().Panel().Zoom(), 1.0);
    QCOMPARE(frame.view().editingPanel()->size(), QSize(329, 249));
}

namespace {

// The controls under `top` that a screen reader would announce without a name.
QStringList unnamedControls(QWidget& top)
{
    QStringList unnamed;
    for (QWidget* widget : top.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QAbstractItemView*>(widget) ||
                             qobject_cast<QDockWidget*>(widget);
        // A spin box speaks for the line edit inside it.
        const bool part = qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr;
        if (!control || part || !widget->isVisibleTo(&top)) {
            continue;
        }
        // The accessible name, or what Qt derives from the control's text or tool tip.
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(widget);
        if (reader == nullptr || reader->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed << QStringLiteral("%1 %2 in %3")
                           .arg(widget->metaObject()->className(), widget->objectName(),
                                widget->parentWidget()->accessibleName());
        }
    }
    return unnamed;
}

bool hasChinese(const QString& text)
{
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

void addTexts(const QList<QAction*>& actions, const QString& where, QStringList& texts)
{
    for (QAction* action : actions) {
        texts << where + QStringLiteral(" item: ") + action->text()
              << where + QStringLiteral(" tip: ") + action->toolTip();
        if (QMenu* menu = action->menu()) {
            texts << where + QStringLiteral(" menu: ") + menu->accessibleName();
            addTexts(menu->actions(), where + QStringLiteral(" > ") + action->text(), texts);
        }
    }
}

// The texts of `top` a user reads or hears, with where each is: titles, labels, buttons, tips,
// accessible names, column headers, tabs and menus. Not the cells of lists and tables: they
// show the project's own data.
QStringList shownTexts(QWidget& top)
{
    QStringList texts{QStringLiteral("title: ") + top.windowTitle(),
                      QStringLiteral("name: ") + top.accessibleName()};
    for (QWidget* widget : top.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&top) && !qobject_cast<QMenuBar*>(widget->parentWidget())) {
            continue;
        }
        const QString where = QString::fromLatin1(widget->metaObject()->className());
        texts << where + QStringLiteral(" name: ") + widget->accessibleName()
              << where + QStringLiteral(" tip: ") + widget->toolTip()
              << where + QStringLiteral(" title: ") + widget->windowTitle();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts << where + QStringLiteral(": ") + label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << where + QStringLiteral(": ") + button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            texts << where + QStringLiteral(": ") + box->title();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            texts << where + QStringLiteral(" placeholder: ") + edit->placeholderText();
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                texts << where + QStringLiteral(": ") + tabs->tabText(i);
            }
        } else if (auto* header = qobject_cast<QHeaderView*>(widget); header && header->model()) {
            for (int i = 0; i < header->count(); ++i) {
                texts << where + QStringLiteral(": ") +
                             header->model()->headerData(i, header->orientation()).toString();
            }
        } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            addTexts(bar->actions(), where, texts);
        }
    }
    return texts;
}

// Under English, the texts of `top` that still show Chinese. The menu items of the command
// table (and the tips and buttons made from them) and the text check's column titles come from
// the core's own catalogue, like the cells: they are left to the core's check.
QStringList chineseUnderEnglish(QWidget& top, const editing::CommandTable& commands)
{
    if (platform::activeUiLanguage() != platform::UiLanguage::English) {
        return {};
    }
    // Qt's tips leave out the mnemonic and a trailing "...".
    const auto plain = [](QString text) {
        text.remove(QLatin1Char('&'));
        return text.endsWith(QStringLiteral("...")) ? text.chopped(3) : text;
    };
    QStringList fromCore;
    for (const editing::Command& command : commands.Commands()) {
        fromCore << plain(CommandActions::menuText(command.text));
    }
    for (int column = 0; column < editing::TextCheckRows::kColumns; ++column) {
        fromCore << QString::fromStdString(editing::TextCheckRows::ColumnTitle(column));
    }
    QStringList found;
    for (const QString& text : shownTexts(top)) {
        const QString shown = text.mid(text.indexOf(QStringLiteral(": ")) + 2);
        if (hasChinese(shown) && !fromCore.contains(plain(shown))) {
            found << text;
        }
    }
    found.removeDuplicates();
    return found;
}

} // namespace

void MainFrameTest::everyControlOfTheWindowHasAnAccessibleName()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    for (QDockWidget* dock : frame.findChildren<QDockWidget*>()) {
        dock->show();
    }
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QStringList unnamed = unnamedControls(frame);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    const QStringList chinese = chineseUnderEnglish(frame, frame.commands());
    QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QStringLiteral("\n"))));
}

void MainFrameTest::everyControlOfItsDialogsHasAnAccessibleName()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    for (const int command : {kNewProject, kProjectSettings, kProjectResize, kBuild, kBatchBuild,
                              kBudgetReport, kResizer, kSearch, kAbout}) {
        bool seen = false;
        const auto check = [&](QDialog& dialog) {
            seen = true;
            const QStringList unnamed = unnamedControls(dialog);
            const bool named = !dialog.accessibleName().isEmpty();
            const QStringList chinese = chineseUnderEnglish(dialog, frame.commands());
            dialog.reject();
            QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(
                                            dialog.windowTitle(), unnamed.join(", "))));
            QVERIFY2(named, qPrintable(dialog.windowTitle()));
            QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QStringLiteral("\n"))));
        };
        if (command == kBudgetReport) {
            // Made on a worker thread under the progress window first.
            whenDialogAppears<BudgetReportDlg>(check);
        } else {
            whenDialogShows<QDialog>(check);
        }
        frame.runCommand(command);
        QTRY_VERIFY2_WITH_TIMEOUT(seen, qPrintable(QString::number(command)), 60000);
        QTRY_VERIFY(!frame.buildRunner().isRunning());
    }
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
