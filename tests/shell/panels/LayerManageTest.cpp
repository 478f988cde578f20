// The layer manager: the frames of the shown picture, its checks and its preview.
#include "support/GridLayerWorkspace.h"

#include "shell/panels/DlgLayerManage.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <stb/stb_image_write.h>

#include <vector>

class LayerManageTest : public QObject
{
    Q_OBJECT

private slots:
    void listShowsTheFramesOfTheShownRegion();
    void selectAllAndInvertSetTheChecks();

private:
    static QStringList column(const QAbstractItemModel& model, int c, int role = Qt::DisplayRole)
    {
        QStringList texts;
        for (int r = 0; r < model.rowCount(); ++r) {
            texts << model.data(model.index(r, c), role).toString();
        }
        return texts;
    }
    static QList<int> checks(const QAbstractItemModel& model)
    {
        QList<int> states;
        for (int r = 0; r < model.rowCount(); ++r) {
            states << model.data(model.index(r, 0), Qt::CheckStateRole).toInt();
        }
        return states;
    }
};

void LayerManageTest::listShowsTheFramesOfTheShownRegion()
{
    GridLayerWorkspace data;
    PicSnapshotItem* region = data.addRegion(3);
    StringSnapShotItem* string = data.addString();
    DlgLayerManage panel(data.ws);
    const QAbstractItemModel& model = *panel.list()->model();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Layer"));
    QCOMPARE(panel.list()->columnWidth(0), 50);
    QCOMPARE(panel.list()->columnWidth(1), 150);
    QCOMPARE(panel.list()->iconSize(), QSize(16, 16));

    QVERIFY(data.click(region));
    QCOMPARE(column(model, 0), (QStringList{"0", "1", "2"}));
    QCOMPARE(column(model, 1), (QStringList{"F0", "F1", "F2"}));
    QCOMPARE(column(model, 1, Qt::AccessibleTextRole), (QStringList{"F0", "F1", "F2"}));
    QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isNull());

    // Another element empties the list; the region fills it again.
    QVERIFY(data.click(string));
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(data.click(region));
    QCOMPARE(model.rowCount(), 3);
}

void LayerManageTest::selectAllAndInvertSetTheChecks()
{
    GridLayerWorkspace data;
    const std::vector<std::uint8_t> pixels(8 * 6 * 3, 0x20);
    QVERIFY(stbi_write_png(data.dir.filePath("f1.png").c_str(), 8, 6, 3, pixels.data(), 8 * 3));
    PicSnapshotItem* region = data.addRegion(2);
    region->Frames()[1].path = "f1.png";
    DlgLayerManage panel(data.ws);
    QVERIFY(data.click(region));
    const QAbstractItemModel& model = *panel.list()->model();
    QCOMPARE(checks(model), (QList<int>{Qt::Unchecked, Qt::Unchecked}));
    // Nothing checked: the current frame (without a picture) is previewed.
    QVERIFY(panel.preview()->pixmap().isNull() ||
            panel.preview()->pixmap().toImage().pixel(80, 60) == qRgb(0xEE, 0xEE, 0xEE));

    data.sink.clear();
    QTest::mouseClick(panel.selectAllButton(), Qt::LeftButton);
    QCOMPARE(checks(model), (QList<int>{Qt::Checked, Qt::Checked}));
    QCOMPARE(data.sink.count(editing::ChangeKind::SurfaceRedraw), 1);
    // The checked frame with a picture shows in the middle of the preview.
    const QImage shown = panel.preview()->pixmap().toImage();
    QCOMPARE(shown.pixel(80, 60), qRgb(0x20, 0x20, 0x20));

    QVERIFY(const_cast<QAbstractItemModel&>(model).setData(model.index(0, 0), Qt::Unchecked,
                                                           Qt::CheckStateRole));
    QTest::mouseClick(panel.invertButton(), Qt::LeftButton);
    QCOMPARE(checks(model), (QList<int>{Qt::Checked, Qt::Unchecked}));
    QCOMPARE(data.sink.count(editing::ChangeKind::SurfaceRedraw), 2);
    QCOMPARE(panel.preview()->pixmap().toImage().pixel(80, 60), qRgb(0xEE, 0xEE, 0xEE));
}

QTEST_MAIN(LayerManageTest)
#include "LayerManageTest.moc"
