// "生成资源" from the main window: the build options dialog, then the build with its values on
// the worker thread; and closing the window while a build runs.
#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "projectfile/SettingsAccessor.h"
#include "shell/app/BuildRunner.h"
#include "shell/app/CMainFrame.h"
#include "shell/panels/BuildLogPanel.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/dialogs/BuildProgressDlg.h"
#include "shell/dialogs/CBuildResDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <filesystem>

using namespace editing::cmd;

namespace {

// Work that runs until it is cancelled (bounded, so a broken cancel cannot hang the test).
BuildRunner::Result untilCancelled(const BuildRunner::CancelCheck& cancelled)
{
    for (int i = 0; i < 60000 && !cancelled(); ++i) {
        QThread::msleep(1);
    }
    return cancelled() ? BuildRunner::Result::Cancelled : BuildRunner::Result::Failed;
}

} // namespace

class BuildCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void cancelledDialogBuildsNothing();
    void okBuildsWithTheDialogsValues();
    void closingDuringABuildAsksToCancelIt();
};

void BuildCommandTest::cancelledDialogBuildsNothing()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    const std::string ini = frame.options().SettingsPath();
    const std::string before = platform::readFile(ini).value_or("<none>");
    QSignalSpy started(&frame.buildRunner(), &BuildRunner::started);

    bool shown = false;
    whenDialogShows<CBuildResDlg>([&](CBuildResDlg& dialog) {
        shown = true;
        QCOMPARE(dialog.rangeLabel()->text(),
                 QStringLiteral("(0-%1)").arg(frame.workspace().CurrentProject()->NextLayerId()));
        dialog.splitResBox()->click();
        dialog.reject();
    });
    QCOMPARE(frame.runCommand(kBuild), editing::CommandTable::Result::Ran);
    QVERIFY(shown);
    QCOMPARE(started.count(), 0);
    QCOMPARE(platform::readFile(ini).value_or("<none>"), before);
}

void BuildCommandTest::okBuildsWithTheDialogsValues()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    APStyleProject& project = *frame.workspace().CurrentProject();
    const std::string resFile = project.ResolvePath(project.ResourceFile(), false);
    std::filesystem::remove(resFile);
    QSignalSpy finished(&frame.buildRunner(), &BuildRunner::finished);

    whenDialogShows<CBuildResDlg>([](CBuildResDlg& dialog) {
        dialog.smallestSizeButton()->click();
        dialog.compressTypeBox()->setCurrentIndex(1);
        dialog.accept();
    });
    frame.runCommand(kBuild);
    QVERIFY(frame.buildRunner().isRunning() || finished.count() == 1);
    QVERIFY(finished.count() == 1 || finished.wait(120000));
    QCOMPARE(frame.buildRunner().lastResult(), BuildRunner::Result::Succeeded);
    QVERIFY(platform::isFile(resFile));
    const SettingsAccessor settings(frame.options().SettingsPath());
    QCOMPARE(settings.readText("CONFIG", "RES_MODE", ""), std::string("1"));
    QCOMPARE(settings.readText("CONFIG", "COMPRESS_TYPE", ""), std::string("1"));

    // The build says what it wrote: the status bar sums it up, the log lists every file.
    const BuildRunner::BuildReport* report = frame.buildRunner().lastBuild();
    QVERIFY(report);
    const auto& outputs = report->summary.outputs;
    QVERIFY(std::any_of(outputs.begin(), outputs.end(), [&](const auto& output) {
        return output.path == resFile && output.bytes == std::filesystem::file_size(resFile);
    }));
    QVERIFY(frame.statusBar()->currentMessage().startsWith(
        QStringLiteral("生成资源完成：%1 个文件").arg(outputs.size())));
    const QString log = frame.buildLog()->toPlainText();
    QVERIFY(log.contains(QString::fromStdString(project.ProjectFilePath())));
    QVERIFY2(log.contains(QString::fromStdString(resFile)), qPrintable(log));
}

void BuildCommandTest::closingDuringABuildAsksToCancelIt()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    BuildRunner& runner = frame.buildRunner();
    QSignalSpy finished(&runner, &BuildRunner::finished);

    // "No": the build goes on and the window stays.
    QVERIFY(runner.startCancellable(QStringLiteral("生成资源"), untilCancelled));
    ui.queueAnswer(platform::Answer::No);
    QVERIFY(!frame.close());
    QCOMPARE(ui.questions().size(), std::size_t{1});
    QVERIFY(runner.isRunning());
    QVERIFY(frame.isVisible());
    QVERIFY(!runner.progressWindow().isCancelRequested());

    // "Yes": the build is cancelled and the window closes once it has stopped.
    ui.queueAnswer(platform::Answer::Yes);
    QVERIFY(!frame.close());
    QVERIFY(runner.progressWindow().isCancelRequested());
    QVERIFY(finished.wait(60000));
    QCOMPARE(runner.lastResult(), BuildRunner::Result::Cancelled);
    QTRY_VERIFY(!frame.isVisible());
}

QTEST_MAIN(BuildCommandTest)
#include "BuildCommandTest.moc"
