#include "panels/TreeTestWorkspace.h"

#include "editing/CommandIds.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "shell/panels/ProjectTreeModel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QtTest>

using namespace editing;

class ProjectTreeModelTest : public QObject
{
    Q_OBJECT

private slots:
    void mirrorsTheTreeAfterEachKindOfCommandAndUndo();
    void rolesFollowTheNodes();
    void dragAndDropThroughTheModel();
};

void ProjectTreeModelTest::mirrorsTheTreeAfterEachKindOfCommandAndUndo()
{
    TreeTestWorkspace t;
    ProjectTreeModel model(t.ws);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(modelWalk(model), coreWalk(t.ws.Tree()));
    // An index kept across the edits must keep naming its node, unless the tree was rebuilt.
    QPersistentModelIndex kept(model.indexOf(t.node(t.scene2)));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    int persistentChecks = 0;

    const auto step = [&](const char* what) {
        const QString shown = modelWalk(model);
        QVERIFY2(shown == coreWalk(t.ws.Tree()),
                 qPrintable(QStringLiteral("after %1:\n%2\nbut the tree has\n%3")
                                .arg(QLatin1String(what), shown, coreWalk(t.ws.Tree()))));
        if (resets.isEmpty()) {
            QVERIFY2(model.nodeOf(kept) == t.node(t.scene2), what);
            ++persistentChecks;
        }
        resets.clear();
        kept = model.indexOf(t.node(t.scene2));
    };

    QVERIFY(t.run(cmd::kAddScene));
    step("add scene");
    t.ws.SelectObject(t.scene1);
    QVERIFY(t.run(cmd::kAddGroupNode));
    step("add group");
    SnapShotItem* group = t.ws.Selection().Element();
    QVERIFY(group);
    t.ws.SelectObject(group);
    QVERIFY(t.run(cmd::kAddRegionNode));
    step("add picture region");
    auto* region = dynamic_cast<PicSnapshotItem*>(t.ws.Selection().Element());
    QVERIFY(region);
    QVERIFY(t.run(cmd::kAddFrame));
    QVERIFY(t.run(cmd::kAddFrame));
    step("add frame");
    t.ws.SelectObject(group);
    QVERIFY(t.run(cmd::kAddPicture));
    step("add picture");
    t.ws.SelectObject(group);
    QVERIFY(t.run(cmd::kAddStringNode));
    step("add string");
    SnapShotItem* text = t.ws.Selection().Element();

    t.ws.Tree().SetCaret(t.ws.Tree().FindFrameNode(region, 1));
    QVERIFY(t.run(cmd::kDelete));
    step("delete frame");
    t.ws.SelectObject(region);
    QVERIFY(t.run(cmd::kMoveDownObject));
    step("move");
    t.ws.SelectObject(region);
    QVERIFY(t.run(cmd::kCopy));
    t.ws.SelectObject(group);
    QVERIFY(t.run(cmd::kPaste));
    step("paste");
    t.ws.SelectObject(text);
    QVERIFY(
        t.ws.Grid().Commit(*t.project, t.ws.Tree(), t.ws.Grid().FindRow("Name"), 1, "Headline"));
    step("rename");
    QVERIFY(modelWalk(model).contains(QStringLiteral("Headline")));
    t.ws.SelectObject(text);
    QVERIFY(t.run(cmd::kDeleteSelected) || t.run(cmd::kDelete));
    step("delete element");

    int undone = 0;
    while (t.run(cmd::kUndo)) {
        step("undo");
        ++undone;
    }
    QVERIFY(undone >= 8);
    QVERIFY(persistentChecks >= 6);
    QVERIFY(t.run(cmd::kRedo));
    step("redo");
}

void ProjectTreeModelTest::rolesFollowTheNodes()
{
    TreeTestWorkspace t;
    ProjectTreeModel model(t.ws);
    t.ws.SelectObject(t.scene1);
    QVERIFY(t.run(cmd::kAddGroupNode));
    auto* group = t.ws.Selection().Element();
    const QModelIndex index = model.indexOf(t.node(group));
    QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), QString::fromStdString(group->Name()));

    // Every image of the list is drawn, and a node's selected image differs from its own.
    for (int image = 0; image < 15; ++image) {
        const QPixmap pixmap = ProjectTreeModel::icon(image, image).pixmap(20, 20);
        QVERIFY2(!pixmap.isNull(), qPrintable(QString::number(image)));
        QCOMPARE(pixmap.size(), QSize(20, 20));
    }
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    QVERIFY(icon.pixmap(20, 20, QIcon::Normal).toImage() !=
            icon.pixmap(20, 20, QIcon::Selected).toImage());

    // Forbidding editing changes the picture: the row is told.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(t.run(cmd::kToggleEditing));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.front().at(0).value<QModelIndex>(), index);
    QCOMPARE(t.node(group)->image, 11);

    // Check boxes appear with the multi-select command; a check mark selects the node.
    QVERIFY(!index.data(Qt::CheckStateRole).isValid());
    QVERIFY(t.run(cmd::kMultiSelect));
    QCOMPARE(index.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(model.flags(index) & Qt::ItemIsUserCheckable);
    QVERIFY(model.setData(index, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(t.node(group)->selected);
    QCOMPARE(index.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

    // The drop highlight paints the row.
    QVERIFY(!index.data(Qt::BackgroundRole).isValid());
    t.ws.Tree().SetDropHighlight(t.node(group));
    QVERIFY(index.data(Qt::BackgroundRole).isValid());
}

void ProjectTreeModelTest::dragAndDropThroughTheModel()
{
    TreeTestWorkspace t;
    ProjectTreeModel model(t.ws);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    t.ws.SelectObject(t.scene1);
    QVERIFY(t.run(cmd::kAddStringNode));
    SnapShotItem* text = t.ws.Selection().Element();
    t.ws.SelectObject(t.scene2);
    QVERIFY(t.run(cmd::kAddGroupNode));
    SnapShotItem* target = t.ws.Selection().Element();
    const int before = model.rowCount(model.indexOf(t.node(target)));

    std::unique_ptr<QMimeData> data(model.mimeData({model.indexOf(t.node(text))}));
    QVERIFY(data);
    // Into its own place is no move; onto a string there is nothing to drop into.
    QVERIFY(
        !model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, model.indexOf(t.node(text))));
    QVERIFY(
        model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, model.indexOf(t.node(target))));
    QVERIFY(model.dropMimeData(data.get(), Qt::MoveAction, -1, -1, model.indexOf(t.node(target))));
    QVERIFY(text->IsDeleted());
    QCOMPARE(t.node(text), nullptr);
    QCOMPARE(model.rowCount(model.indexOf(t.node(target))), before + 1);
    QCOMPARE(modelWalk(model), coreWalk(t.ws.Tree()));
    // The data names a node that has gone: nothing is dropped.
    QVERIFY(
        !model.dropMimeData(data.get(), Qt::CopyAction, -1, -1, model.indexOf(t.node(t.scene1))));

    // A copy leaves the source where it was; the move is undone as one record.
    SnapShotItem* moved = target->Children()->back().get();
    std::unique_ptr<QMimeData> again(model.mimeData({model.indexOf(t.node(moved))}));
    QVERIFY(
        model.dropMimeData(again.get(), Qt::CopyAction, -1, -1, model.indexOf(t.node(t.scene1))));
    QVERIFY(t.node(moved));
    QCOMPARE(modelWalk(model), coreWalk(t.ws.Tree()));
    QVERIFY(t.run(cmd::kUndo));
    QVERIFY(t.run(cmd::kUndo));
    QVERIFY(!text->IsDeleted());
    QCOMPARE(modelWalk(model), coreWalk(t.ws.Tree()));
}

QTEST_MAIN(ProjectTreeModelTest)
#include "ProjectTreeModelTest.moc"
