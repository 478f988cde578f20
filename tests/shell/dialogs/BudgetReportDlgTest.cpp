// The budget report dialog, opened by its command in the main window on a copy of the example.
#include "DialogScript.h"
#include "ExampleCopy.h"

#include "editing/CommandIds.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/BuildRunner.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/dialogs/BudgetChart.h"
#include "shell/dialogs/BudgetReportDlg.h"

#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace editing::cmd;

namespace {

// The report is made on a worker thread; its dialog comes when it is done.
void whenReportShows(std::function<void(BudgetReportDlg&)> check)
{
    whenDialogAppears<BudgetReportDlg>([check](BudgetReportDlg& dialog) {
        check(dialog);
        dialog.reject();
    });
}

qulonglong stored(const QTableWidget& table, int row)
{
    return table.item(row, BudgetReportDlg::kStored)->data(Qt::DisplayRole).toULongLong();
}

} // namespace

class BudgetReportDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void showsEveryPictureAndStringSortedByBytes();
    void picturesNamedLikePlaceholdersAreShownAsNamed();
};

void BudgetReportDlgTest::showsEveryPictureAndStringSortedByBytes()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope(ui);
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    bool seen = false;
    whenReportShows([&](BudgetReportDlg& dialog) {
        seen = true;
        QTableWidget& table = *dialog.itemTable();
        // The example packs 11 pictures and 14 strings.
        QCOMPARE(table.rowCount(), 25);
        QCOMPARE(stored(table, 0), qulonglong(153600));
        for (int row = 1; row < table.rowCount(); ++row) {
            QVERIFY(stored(table, row - 1) >= stored(table, row));
        }
        // Sorted by bytes as numbers, not as text ("512" < "6400").
        table.sortByColumn(BudgetReportDlg::kStored, Qt::AscendingOrder);
        for (int row = 1; row < table.rowCount(); ++row) {
            QVERIFY(stored(table, row - 1) <= stored(table, row));
        }
        QCOMPARE(dialog.chart()->items().size(), std::size_t(20));
        QVERIFY(dialog.summaryLabel()->text().contains(QStringLiteral("图片 11 张")));
        QVERIFY(dialog.wasteLabel()->text().contains(QStringLiteral("大于屏幕的图片：无")));
    });
    frame.runCommand(kBudgetReport);
    // The window goes on while the report is made.
    QVERIFY(frame.buildRunner().isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(seen, 60000);
    QTRY_VERIFY(!frame.buildRunner().isRunning());
    QVERIFY(ui.messages().empty());
}

void BudgetReportDlgTest::picturesNamedLikePlaceholdersAreShownAsNamed()
{
    generate::BudgetReport report;
    generate::BudgetReport::Unpacked unused;
    unused.name = "IC_%2_%3";
    report.unused.push_back(unused);
    generate::BudgetReport::Picture big;
    big.name = "BG_%1";
    report.pictures.push_back(big);
    report.oversized.push_back(0);
    report.identical.push_back({0, 1});
    BudgetReportDlg dialog(report);
    QCOMPARE(dialog.wasteLabel()->text(),
             QStringLiteral(
                 "未被场景使用的图片：IC_%2_%3\n内容相同的图片：1 组\n大于屏幕的图片：BG_%1"));
}

QTEST_MAIN(BudgetReportDlgTest)
#include "BudgetReportDlgTest.moc"
