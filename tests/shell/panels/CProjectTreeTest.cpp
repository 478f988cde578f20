#include "panels/TreeTestWorkspace.h"

#include "editing/CommandIds.h"
#include "model/PicSnapshotItem.h"
#include "shell/dialogs/DlgSearch.h"
#include "shell/panels/CProjectTree.h"
#include "shell/panels/ProjectTreeModel.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QtTest>

using namespace editing;

class CProjectTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void caretAndSelectionFollowEachOther();
    void expansionFollowsEachOtherAndSurvivesRebuilds();
    void contextMenusPerNodeKindRunThroughTheTable();
    void deleteKeyAndSearchDialog();
    void accessibleTexts();
};

namespace {

QStringList actionTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << action->text();
    }
    return texts;
}

const QAction* actionOf(const QMenu& menu, int id)
{
    for (const QAction* action : menu.actions()) {
        if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

void CProjectTreeTest::caretAndSelectionFollowEachOther()
{
    TreeTestWorkspace t;
    t.ws.SelectObject(t.scene1);
    QVERIFY(t.run(cmd::kAddStringNode));
    SnapShotItem* text = t.ws.Selection().Element();
    t.ws.SelectObject(t.scene2);
    CProjectTree view(t.ws, t.table);
    view.resize(240, 400);
    view.show();
    ProjectTreeModel& model = *view.treeModel();
    QCOMPARE(view.currentIndex(), model.indexOf(t.node(t.scene2)));
    QVERIFY(view.selectionModel()->isSelected(view.currentIndex()));

    // The view moves the caret as a click does: the element is selected everywhere.
    view.setCurrentIndex(model.indexOf(t.node(text)));
    QCOMPARE(t.ws.Tree().Caret(), t.node(text));
    QCOMPARE(t.ws.Selection().Element(), text);
    QVERIFY(t.node(text)->selected);
    QVERIFY(!t.node(t.scene2)->selected);

    // So does the keyboard: the next row is the scene after the string's.
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(t.ws.Tree().Caret(), t.node(t.scene2));
    QCOMPARE(t.ws.Selection().Scene(), t.scene2);

    // The core moves the caret (a message, a command): the view follows.
    QVERIFY(t.ws.SelectObject(text));
    QCOMPARE(view.currentIndex(), model.indexOf(t.node(text)));
    QCOMPARE(view.selectionModel()->selectedRows().size(), 1);

    // Extending the selection in the view keeps the caret's node and adds the other.
    view.selectionModel()->select(model.indexOf(t.node(t.scene1)),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVERIFY(t.node(t.scene1)->selected);
    QVERIFY(t.node(text)->selected);
    t.ws.Tree().SetSelected(t.node(t.scene1), false);
    QVERIFY(!view.selectionModel()->isSelected(model.indexOf(t.node(t.scene1))));
}

void CProjectTreeTest::expansionFollowsEachOtherAndSurvivesRebuilds()
{
    TreeTestWorkspace t;
    CProjectTree view(t.ws, t.table);
    view.show();
    ProjectTreeModel& model = *view.treeModel();
    t.ws.SelectObject(t.scene1);
    QVERIFY(t.run(cmd::kAddGroupNode));
    SnapShotItem* group = t.ws.Selection().Element();
    t.ws.SelectObject(group);
    QVERIFY(t.run(cmd::kAddStringNode));
    // Adding selected the string: its ancestors opened in the view too.
    QVERIFY(view.isExpanded(model.indexOf(t.node(group))));
    QVERIFY(view.isExpanded(model.indexOf(t.node(t.scene1))));

    view.collapse(model.indexOf(t.node(t.scene2)));
    view.expand(model.indexOf(t.node(t.scene2)));
    QVERIFY(t.node(t.scene2)->expanded);
    view.collapse(model.indexOf(t.node(t.scene2)));
    QVERIFY(!t.node(t.scene2)->expanded);

    // A move rebuilds the tree; what was open is open again, in the view as in the core.
    t.ws.SelectObject(t.scene1);
    QVERIFY(t.run(cmd::kMoveDownContainer));
    QVERIFY(view.isExpanded(model.indexOf(t.node(group))));
    QVERIFY(!view.isExpanded(model.indexOf(t.node(t.scene2))));
    QCOMPARE(view.currentIndex(), model.indexOf(t.node(t.scene1)));
}

void CProjectTreeTest::contextMenusPerNodeKindRunThroughTheTable()
{
    TreeTestWorkspace t;
    CProjectTree view(t.ws, t.table);
    ProjectTreeModel& model = *view.treeModel();

    std::unique_ptr<QMenu> menu(view.createContextMenu(model.indexOf(t.node(t.scene1)), nullptr));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("容器"));
    QCOMPARE(actionTexts(*menu),
             QStringList({"添加资源组", "添加图片区", "添加图片", "添加图片目录", "添加字符",
                          "上移", "下移", "拷贝", "粘贴", "删除"}));
    // The right-click selected the scene; nothing was copied yet.
    QCOMPARE(view.currentIndex(), model.indexOf(t.node(t.scene1)));
    QVERIFY(!actionOf(*menu, cmd::kPaste)->isEnabled());
    const int rows = model.rowCount(model.indexOf(t.node(t.scene1)));
    QSignalSpy ran(&view, &CProjectTree::commandRan);
    QVERIFY(view.runCommand(actionOf(*menu, cmd::kAddGroupNode)->data().toInt()));
    QCOMPARE(model.rowCount(model.indexOf(t.node(t.scene1))), rows + 1);
    QCOMPARE(ran.size(), 1);
    SnapShotItem* group = t.ws.Selection().Element();

    menu.reset(view.createContextMenu(model.indexOf(t.node(group)), nullptr));
    QCOMPARE(actionTexts(*menu).last(), QStringLiteral("禁止编辑"));
    QVERIFY(view.runCommand(cmd::kToggleEditing));
    menu.reset(view.createContextMenu(model.indexOf(t.node(group)), nullptr));
    QCOMPARE(actionTexts(*menu).last(), QStringLiteral("允许编辑"));
    // Locked: adding into it is off.
    QVERIFY(!actionOf(*menu, cmd::kAddGroupNode)->isEnabled());
    t.ui.queueAnswer(platform::Answer::Yes);
    QVERIFY(view.runCommand(cmd::kToggleEditing));

    menu.reset(view.createContextMenu(model.indexOf(t.node(t.project)), nullptr));
    QCOMPARE(menu->title(), QStringLiteral("工程"));
    QCOMPARE(actionTexts(*menu), QStringList({"添加场景", "添加资源目录", "关闭", "粘贴"}));

    t.ws.SelectObject(group);
    QVERIFY(t.run(cmd::kAddRegionNode));
    auto* region = dynamic_cast<PicSnapshotItem*>(t.ws.Selection().Element());
    QVERIFY(region);
    QVERIFY(t.run(cmd::kAddFrame));
    menu.reset(view.createContextMenu(model.indexOf(t.node(region)), nullptr));
    QCOMPARE(menu->title(), QStringLiteral("对象"));
    QCOMPARE(actionTexts(*menu),
             QStringList({"添加帧", "添加帧目录", "上移", "下移", "拷贝", "粘贴", "删除"}));
    QVERIFY(actionOf(*menu, cmd::kAddFrame)->isEnabled());
    menu.reset(
        view.createContextMenu(model.indexOf(t.ws.Tree().FindFrameNode(region, 0)), nullptr));
    QCOMPARE(menu->title(), QStringLiteral("图层"));
    QCOMPARE(actionTexts(*menu), QStringList({"清除图片", "删除帧", "上移", "下移"}));
    QCOMPARE(view.createContextMenu(QModelIndex(), nullptr), nullptr);
}

void CProjectTreeTest::deleteKeyAndSearchDialog()
{
    TreeTestWorkspace t;
    CProjectTree view(t.ws, t.table);
    view.show();
    ProjectTreeModel& model = *view.treeModel();
    t.ws.SelectObject(t.scene2);
    QVERIFY(t.run(cmd::kAddStringNode));
    SnapShotItem* text = t.ws.Selection().Element();

    DlgSearch dialog(t.ws.Search(), &view);
    QCOMPARE(dialog.accessibleName(), QStringLiteral("搜索"));
    dialog.textField()->setText(QStringLiteral("Scene"));
    QVERIFY(dialog.find());
    QCOMPARE(view.currentIndex(), model.indexOf(t.node(t.scene1)));
    QVERIFY(dialog.find());
    QCOMPARE(view.currentIndex(), model.indexOf(t.node(t.scene2)));
    dialog.textField()->setText(QStringLiteral("nowhere"));
    QVERIFY(!dialog.find());
    QCOMPARE(t.ui.messages().back(), std::string("Cannot find \"nowhere\""));
    QCOMPARE(t.ui.records().back().caption, std::string("Error"));
    const std::size_t messages = t.ui.messages().size();
    // Delete deletes the selected nodes, and refuses the last scene without a word.
    view.setCurrentIndex(model.indexOf(t.node(text)));
    QTest::keyClick(&view, Qt::Key_Delete);
    QVERIFY(text->IsDeleted());
    QCOMPARE(t.node(text), nullptr);
    view.setCurrentIndex(model.indexOf(t.node(t.scene1)));
    QTest::keyClick(&view, Qt::Key_Delete);
    QVERIFY(t.scene1->IsDeleted());
    view.setCurrentIndex(model.indexOf(t.node(t.scene2)));
    QTest::keyClick(&view, Qt::Key_Delete);
    QVERIFY(!t.scene2->IsDeleted());
    QVERIFY(t.ui.messages().size() == messages);
    QCOMPARE(t.ws.QuietFlag(), 0);
    QCOMPARE(modelWalk(model), coreWalk(t.ws.Tree()));
    // The search command is the tree's: its handler is installed while the tree lives.
    QVERIFY(t.table.Find(cmd::kSearch)->handler);
}

void CProjectTreeTest::accessibleTexts()
{
    TreeTestWorkspace t;
    auto view = std::make_unique<CProjectTree>(t.ws, t.table);
    view->resize(260, 300);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    QCOMPARE(view->accessibleName(), QStringLiteral("资源"));
    view->expand(view->treeModel()->indexOf(t.node(t.project)));
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(view.get());
    QVERIFY(tree);
    QCOMPARE(tree->text(QAccessible::Name), QStringLiteral("资源"));
    QStringList names;
    for (int i = 0; i < tree->childCount(); ++i) {
        names << tree->child(i)->text(QAccessible::Name);
    }
    QVERIFY2(names.contains(QString::fromStdString(t.scene1->Name())), qPrintable(names.join(',')));
    QVERIFY(names.contains(QString::fromStdString(t.project->Name())));

    // Selecting a row through the accessibility interface selects the scene everywhere.
    QAccessibleTableInterface* table = tree->tableInterface();
    QVERIFY(table);
    const int row = view->treeModel()->indexOf(t.node(t.scene2)).row() + 1;
    QVERIFY(table->selectRow(row));
    QCOMPARE(t.ws.Tree().Caret(), t.node(t.scene2));
    QCOMPARE(t.ws.Selection().Scene(), t.scene2);

    if (const QByteArray dir = qgetenv("SKINSMITH_SCREENSHOT_DIR"); !dir.isEmpty()) {
        t.ws.SelectObject(t.scene1);
        t.run(cmd::kAddGroupNode);
        t.run(cmd::kAddStringNode);
        t.ws.SelectObject(t.scene1);
        t.run(cmd::kAddRegionNode);
        t.run(cmd::kAddFrame);
        t.ws.SelectObject(t.scene2);
        t.run(cmd::kAddPicture);
        view->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/tree.png"));
        // The image list, twice the size, over a light and a dark background.
        QImage sheet(15 * 44 + 4, 2 * 44 + 4, QImage::Format_ARGB32);
        sheet.fill(QColor(0xF5, 0xF5, 0xF5));
        QPainter painter(&sheet);
        painter.fillRect(0, 46, sheet.width(), 46, QColor(0x26, 0x26, 0x26));
        for (int image = 0; image < 15; ++image) {
            const QIcon icon = ProjectTreeModel::icon(image, image);
            for (int row = 0; row < 2; ++row) {
                icon.paint(&painter, QRect(4 + image * 44, 4 + row * 46, 40, 40));
            }
        }
        painter.end();
        sheet.save(QString::fromLocal8Bit(dir) + QStringLiteral("/tree-icons.png"));
    }
    view.reset();
    QVERIFY(!t.table.Find(cmd::kSearch)->handler);
}

QTEST_MAIN(CProjectTreeTest)
#include "CProjectTreeTest.moc"
