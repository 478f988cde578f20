// The build progress window and the runner behind it: the percentage, Cancel, and work on the
// worker thread that reports progress and stops when asked.
#include "platform/UserInteraction.h"
#include "shell/app/BuildRunner.h"
#include "shell/app/QtUserInteraction.h"
#include "shell/dialogs/BuildProgressDlg.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

class BuildProgressDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void percentFollowsThePosition();
    void picturesDoneShowBesideThePhaseUntilTheNext();
    void cancelAsksOnceAndOnlyWhenOffered();
    void closingTheWindowAsksToCancel();
    void runnerShowsTheWorkersProgressAndCancelsIt();
    void workWithoutCancelRunsToItsEnd();
};

void BuildProgressDlgTest::picturesDoneShowBesideThePhaseUntilTheNext()
{
    BuildProgressDlg dialog;
    dialog.start(QStringLiteral("生成资源"), true);
    dialog.setPhase(QStringLiteral("正在创建图片资源..."));
    dialog.setItems(120, 1000);
    QCOMPARE(dialog.phaseLabel()->text(), QStringLiteral("正在创建图片资源...  120 / 1000"));
    dialog.setPhase(QStringLiteral("正在创建字符串资源..."));
    QCOMPARE(dialog.phaseLabel()->text(), QStringLiteral("正在创建字符串资源..."));
    dialog.setItems(3, 4);
    dialog.start(QStringLiteral("生成资源"), true);
    QCOMPARE(dialog.phaseLabel()->text(), QString());
}

void BuildProgressDlgTest::percentFollowsThePosition()
{
    BuildProgressDlg dialog;
    dialog.start(QStringLiteral("生成资源"), true);
    QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("0%"));
    dialog.setPhase(QStringLiteral("正在创建图片资源..."));
    dialog.setRange(0, 7);
    dialog.setPosition(3);
    QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("42%"));
    QCOMPARE(dialog.phaseLabel()->text(), QStringLiteral("正在创建图片资源..."));
    QCOMPARE(dialog.bar()->value(), 3);
    QCOMPARE(dialog.bar()->maximum(), 7);
    dialog.setPosition(7);
    QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("100%"));

    // Totals beyond 16 bits and positions beyond the total.
    dialog.setRange(0, 100000);
    dialog.setPosition(99999);
    QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("99%"));
    QCOMPARE(dialog.bar()->maximum(), 100000);
    dialog.setPosition(250000);
    QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("100%"));
    QCOMPARE(BuildProgressDlg::percentOf(0, 2000000000, 1999999999), 99);
    QCOMPARE(BuildProgressDlg::percentOf(0, 0, 0), 0);
    QCOMPARE(BuildProgressDlg::percentOf(10, 20, 15), 50);

    // A new run starts from nothing.
    dialog.start(QStringLiteral("x"), false);
    QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("0%"));
    QCOMPARE(dialog.phaseLabel()->text(), QString());
}

void BuildProgressDlgTest::cancelAsksOnceAndOnlyWhenOffered()
{
    BuildProgressDlg dialog;
    QSignalSpy asked(&dialog, &BuildProgressDlg::cancelRequested);
    dialog.start(QStringLiteral("生成资源"), false);
    QVERIFY(!dialog.cancelButton()->isEnabled());
    dialog.reject();
    QCOMPARE(asked.count(), 0);

    dialog.start(QStringLiteral("生成资源"), true);
    dialog.setPhase(QStringLiteral("正在创建字符串资源..."));
    QVERIFY(dialog.cancelButton()->isEnabled());
    dialog.cancelButton()->click();
    QCOMPARE(asked.count(), 1);
    QVERIFY(dialog.isCancelRequested());
    QVERIFY(!dialog.cancelButton()->isEnabled());
    // The window says it is stopping, whatever phase the work still reports.
    dialog.setPhase(QStringLiteral("正在创建图片资源..."));
    QCOMPARE(dialog.phaseLabel()->text(), QStringLiteral("正在取消..."));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(asked.count(), 1);

    // The next run can be cancelled again.
    dialog.start(QStringLiteral("生成资源"), true);
    QVERIFY(!dialog.isCancelRequested());
    dialog.cancelButton()->click();
    QCOMPARE(asked.count(), 2);
}

void BuildProgressDlgTest::closingTheWindowAsksToCancel()
{
    BuildProgressDlg dialog;
    QSignalSpy asked(&dialog, &BuildProgressDlg::cancelRequested);
    dialog.start(QStringLiteral("生成资源"), true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.close();
    // The work has to stop first: the window stays until its owner hides it.
    QVERIFY(dialog.isVisible());
    QCOMPARE(asked.count(), 1);
}

void BuildProgressDlgTest::runnerShowsTheWorkersProgressAndCancelsIt()
{
    QMainWindow window;
    window.show();
    QtUserInteraction interaction(&window);
    platform::ScopedInteraction scope(interaction);
    BuildRunner runner(interaction, &window);
    QSignalSpy finished(&runner, &BuildRunner::finished);

    QVERIFY(runner.startCancellable(QStringLiteral("生成资源"), [](const auto& cancelled) {
        platform::ProgressReporter& progress = platform::interaction().progress();
        progress.setPhase("正在创建图片资源...");
        progress.setRange(0, 4);
        progress.setPosition(1);
        // Waits for the cancel; a bound keeps a broken cancel from hanging the test.
        for (int i = 0; i < 60000 && !cancelled(); ++i) {
            QThread::msleep(1);
        }
        return cancelled() ? BuildRunner::Result::Cancelled : BuildRunner::Result::Failed;
    }));
    BuildProgressDlg& dialog = runner.progressWindow();
    QVERIFY(runner.isRunning());
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.windowModality(), Qt::WindowModal);
    QVERIFY(!runner.startCancellable(QStringLiteral("again"),
                                     [](const auto&) { return BuildRunner::Result::Succeeded; }));
    QTRY_COMPARE(dialog.percentLabel()->text(), QStringLiteral("25%"));
    QCOMPARE(dialog.phaseLabel()->text(), QStringLiteral("正在创建图片资源..."));

    dialog.cancelButton()->click();
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.front().front().toBool(), false);
    QCOMPARE(runner.lastResult(), BuildRunner::Result::Cancelled);
    QVERIFY(!runner.isRunning());
    QVERIFY(!dialog.isVisible());
    QVERIFY(!runner.cancel());
}

void BuildProgressDlgTest::workWithoutCancelRunsToItsEnd()
{
    QMainWindow window;
    QtUserInteraction interaction(&window);
    BuildRunner runner(interaction, &window);
    QSignalSpy finished(&runner, &BuildRunner::finished);
    std::atomic<bool> release{false};
    QVERIFY(runner.start(QStringLiteral("生成.desktop文件"), [&release] {
        for (int i = 0; i < 60000 && !release; ++i) {
            QThread::msleep(1);
        }
        return true;
    }));
    QVERIFY(!runner.progressWindow().cancelButton()->isEnabled());
    QVERIFY(!runner.cancel());
    release = true;
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.front().front().toBool(), true);
    QCOMPARE(runner.lastResult(), BuildRunner::Result::Succeeded);
}

QTEST_MAIN(BuildProgressDlgTest)
#include "BuildProgressDlgTest.moc"
