// The batch build dialog: its opening state, what it starts, the start failures and the output
// pane, with stand-in builders (small shell scripts) and with the real resBuildApp.

#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "shell/app/CMainFrame.h"
#include "shell/dialogs/CBatchBuildDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Writes a stand-in builder "resBuildApp" into `directory`.
void writeBuilder(const std::string& directory, const std::string& script, mode_t mode = 0755)
{
    const std::string path = directory + "/resBuildApp";
    QVERIFY(platform::writeFileAtomically(path, script));
    QCOMPARE(::chmod(path.c_str(), mode), 0);
}

QStringList outputLines(const CBatchBuildDlg& dialog)
{
    return dialog.outputPane()->toPlainText().split(QLatin1Char('\n'));
}

} // namespace

class BatchBuildDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheCaseDirectorysAppsFolder();
    void emptyAppsDirectoryAsksForAPathAndStays();
    void startFailuresAreShownAndClose();
    void argumentsReachTheBuilderOneByOneAndItsOutputShowsAsItComes();
    void closingLeavesARunningBuildToFinish();
    void realRunShowsEachProjectAndTheSummary();
    void mainFrameCommandShowsTheDialog();
};

void BatchBuildDlgTest::opensOnTheCaseDirectorysAppsFolder()
{
    platform::TemporaryDirectory dir;
    {
        CBatchBuildDlg dialog(dir.path());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Batch Build Resource"));
        QVERIFY(dialog.appsDirectoryEdit()->text().isEmpty()); // no apps folder
    }
    fs::create_directories(dir.filePath("apps"));
    CBatchBuildDlg dialog(dir.path());
    const QString apps = QString::fromStdString(dir.filePath("apps"));
    QCOMPARE(dialog.appsDirectoryEdit()->text(), apps);
    QVERIFY(dialog.desktopFileBox()->isChecked());
    QVERIFY(dialog.resourceFileBox()->isChecked());
    QVERIFY(!dialog.resHeaderBox()->isChecked());
    QVERIFY(dialog.styleFileBox()->isChecked());
    QVERIFY(dialog.styleHeaderBox()->isChecked());
    QVERIFY(dialog.bestQualityButton()->isChecked());
    QCOMPARE(dialog.builderPath(), QCoreApplication::applicationDirPath() + "/resBuildApp");

    // The opening switches, then smallest size and fewer outputs.
    QCOMPARE(dialog.builderArguments(),
             QStringList({"-res", "-sty", "-styhead", "-desktop", apps}));
    dialog.smallestSizeButton()->click();
    dialog.desktopFileBox()->setChecked(false);
    dialog.styleHeaderBox()->setChecked(false);
    QCOMPARE(dialog.builderArguments(), QStringList({"-res", "-sty", "-minsize", apps}));

    // Browse starts at the case directory and fills the field; cancelling keeps it.
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    ui.queuePath("/chosen/apps");
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->accessibleName() == QStringLiteral("Browse..")) {
            button->click();
            button->click();
        }
    }
    QCOMPARE(dialog.appsDirectoryEdit()->text(), QStringLiteral("/chosen/apps"));
    QCOMPARE(ui.records().size(), std::size_t{2});
    QCOMPARE(ui.records().front().text, std::string("请选择apps路径"));
}

void BatchBuildDlgTest::emptyAppsDirectoryAsksForAPathAndStays()
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    platform::TemporaryDirectory programs;
    writeBuilder(programs.path(), "#!/bin/sh\ntouch \"$0.ran\"\n");
    CBatchBuildDlg dialog("");
    dialog.setProgramDirectory(QString::fromStdString(programs.path()));
    dialog.show();
    for (const QString& text : {QString(), QStringLiteral("   ")}) {
        dialog.appsDirectoryEdit()->setText(text);
        dialog.buildButton()->click();
        QCOMPARE(ui.messages().back(), std::string("请指定路径!"));
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isBuilding());
    }
    QCOMPARE(ui.messages().size(), std::size_t{2});
    QVERIFY(!fs::exists(programs.filePath("resBuildApp.ran")));
}

void BatchBuildDlgTest::startFailuresAreShownAndClose()
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    platform::TemporaryDirectory programs;
    const auto attempt = [&](const std::string& expected) {
        CBatchBuildDlg dialog("");
        dialog.setProgramDirectory(QString::fromStdString(programs.path()));
        dialog.appsDirectoryEdit()->setText(QString::fromStdString(programs.path()));
        dialog.show();
        dialog.buildButton()->click();
        QCOMPARE(ui.messages().back(), expected);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.isBuilding());
    };
    attempt("找不到resBuildApp.exe！");
    const size_t shown = ui.messages().size();
    writeBuilder(programs.path(), "\x01\x02 no program at all");
    attempt("resBuildApp.exe格式错误！");
    writeBuilder(programs.path(), "#!/bin/sh\nexit 0\n", 0644); // not executable
    attempt("resBuildApp.exe格式错误！");
    fs::remove(programs.filePath("resBuildApp"));
    fs::create_directories(programs.filePath("resBuildApp"));
    attempt("resBuildApp.exe格式错误！");
    QCOMPARE(ui.messages().size(), shown + 3);
}

void BatchBuildDlgTest::argumentsReachTheBuilderOneByOneAndItsOutputShowsAsItComes()
{
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    platform::TemporaryDirectory programs;
    // Prints its arguments, then waits for the test before its last line.
    writeBuilder(programs.path(), "#!/bin/sh\n"
                                  "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                                  "while [ ! -e \"$0.go\" ]; do sleep 0.02; done\n"
                                  "printf 'last line without an end'\n"
                                  "exit 3\n");
    CBatchBuildDlg dialog("");
    dialog.setProgramDirectory(QString::fromStdString(programs.path()));
    const QString apps = QStringLiteral("/a dir/with \"quotes\"; echo $HOME `x` 简体");
    dialog.appsDirectoryEdit()->setText(apps);
    dialog.smallestSizeButton()->setChecked(true);
    QSignalSpy finished(&dialog, &CBatchBuildDlg::buildFinished);
    dialog.show();
    dialog.buildButton()->click();
    QVERIFY(dialog.isBuilding());
    QVERIFY(!dialog.buildButton()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.outputPane()->toPlainText().contains("[" + apps + "]"), 60000);
    QVERIFY(!dialog.outputPane()->toPlainText().contains("last line"));
    QVERIFY(dialog.outputPane()->isReadOnly());

    QVERIFY(platform::writeFileAtomically(programs.filePath("resBuildApp.go"), ""));
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.front().front().toInt(), 3);
    const QStringList lines = outputLines(dialog);
    QCOMPARE(lines.mid(1),
             QStringList({"[-res]", "[-sty]", "[-styhead]", "[-desktop]", "[-minsize]",
                          "[" + apps + "]", "last line without an end"}));
    QVERIFY(dialog.buildButton()->isEnabled());
    QVERIFY(dialog.isVisible());
    QVERIFY(ui.messages().empty());
}

void BatchBuildDlgTest::closingLeavesARunningBuildToFinish()
{
    platform::TemporaryDirectory programs;
    writeBuilder(programs.path(), "#!/bin/sh\n"
                                  "echo started\n"
                                  "while [ ! -e \"$0.go\" ]; do sleep 0.02; done\n"
                                  "echo more output nobody reads\n"
                                  "touch \"$0.done\"\n");
    {
        CBatchBuildDlg dialog("");
        dialog.setProgramDirectory(QString::fromStdString(programs.path()));
        dialog.appsDirectoryEdit()->setText(QStringLiteral("/apps"));
        dialog.show();
        dialog.buildButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.outputPane()->toPlainText().contains("started"), 60000);
        dialog.exitButton()->click();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.isBuilding());
    }
    QVERIFY(platform::writeFileAtomically(programs.filePath("resBuildApp.go"), ""));
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(programs.filePath("resBuildApp.done")), 60000);
}

void BatchBuildDlgTest::realRunShowsEachProjectAndTheSummary()
{
    ExampleCopy example("unused");
    fs::create_directories(example.filePath("case/apps/weather/broken"));
    QVERIFY(!example.copyAgain("case/apps/clock").empty());
    QVERIFY(platform::writeFileAtomically(example.filePath("case/apps/weather/broken/w.ui"),
                                          "<ui-rad><scene>"));
    CBatchBuildDlg dialog(example.filePath("case"));
    dialog.setProgramDirectory(QStringLiteral(SKINSMITH_BIN_DIR));
    QCOMPARE(dialog.appsDirectoryEdit()->text(),
             QString::fromStdString(example.filePath("case/apps")));
    QSignalSpy finished(&dialog, &CBatchBuildDlg::buildFinished);
    dialog.show();
    dialog.buildButton()->click();
    QVERIFY(finished.wait(240000));
    QCOMPARE(finished.front().front().toInt(), 1);
    const QString text = dialog.outputPane()->toPlainText();
    QVERIFY2(text.contains("\nok      clock/demo.ui\n"), qPrintable(text));
    QVERIFY2(text.contains("\nFAILED  weather/broken/w.ui: "), qPrintable(text));
    QVERIFY2(outputLines(dialog).last().startsWith("resBuildApp: 2 projects, 1 built, 1 failed ("),
             qPrintable(text));
    QVERIFY(fs::exists(example.filePath("case/apps/clock/case/images/apps/demo/style0/demo.res")));
}

void BatchBuildDlgTest::mainFrameCommandShowsTheDialog()
{
    ExampleCopy example;
    const std::string program = example.filePath("program");
    fs::create_directories(program);
    CMainFrame frame(QString::fromStdString(program + "/"));
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<CBatchBuildDlg*>(widget);
                dialog && dialog->isVisible()) {
                shown = dialog->windowTitle() == QStringLiteral("Batch Build Resource");
                dialog->exitButton()->click();
            }
        }
    });
    QCOMPARE(frame.runCommand(editing::cmd::kBatchBuild), editing::CommandTable::Result::Ran);
    QVERIFY(shown);
}

QTEST_MAIN(BatchBuildDlgTest)
#include "BatchBuildDlgTest.moc"
