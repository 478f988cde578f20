#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/app/CZORVEView.h"
#include "shell/app/CommandActions.h"
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
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <set>

using namespace editing::cmd;

class MainFrameTest : public QObject
{
    Q_OBJECT

private slots:
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

void MainFrameTest::onlyProjectFreeCommandsAreEnabledWithoutAProject()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    // Exit, auto-save and the tool- and status-bar switches are the window's own.
    const std::set<int> expected = {kNewProject,  kOpenProject, kBatchBuild,    kSearch,
                                    kMultiSelect, kTreePanel,   kPropertyPanel, kResourcePanel,
                                    kLayerPanel,  kHelp,        kAbout,         kExit,
                                    kAutoSave,    kToolbar,     kStatusBar,     kBuildLogPanel,
                                    kRulers,      kGuides,      kTextCheckPanel};
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
        whenDialogShows<QDialog>([&](QDialog& dialog) {
            seen = true;
            const QStringList unnamed = unnamedControls(dialog);
            const bool named = !dialog.accessibleName().isEmpty();
            dialog.reject();
            QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(
                                            dialog.windowTitle(), unnamed.join(", "))));
            QVERIFY2(named, qPrintable(dialog.windowTitle()));
        });
        frame.runCommand(command);
        QTRY_VERIFY2(seen, qPrintable(QString::number(command)));
    }
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
