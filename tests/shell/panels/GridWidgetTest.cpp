// The property grid widget: its cells, its in-place controls and what they commit.
#include "support/GridLayerWorkspace.h"

#include "editing/UndoHistory.h"
#include "platform/FileSystem.h"
#include "shell/panels/AttributeGridModel.h"
#include "shell/panels/AttributeListCtrl.h"
#include "shell/panels/NetEditCtrl.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using editing::PropertyGrid;

class GridWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cellTypesFollowTheEditorKinds();
    void dropDownsOfferTheItemsOfTheirKind();
    void editBoxCommitsOneRecordAndUpDownMoveTheEdit();
    void leavingTheGridCommitsTheEdit();
    void colourButtonCommitsTheScriptedColour();
    void pathButtonRefusesAnInvalidFile();
    void stringIdButtonWaitsForTheStringSelection();

private:
    int row(const char* label) const { return m_data->ws.Grid().FindRow(label); }
    uint cellType(int r, int column) const
    {
        return m_grid->gridModel()
            ->data(m_grid->gridModel()->index(r, column), AttributeGridModel::CellTypeRole)
            .toUInt();
    }
    QString text(int r, int column, int role = Qt::DisplayRole) const
    {
        return m_grid->gridModel()->data(m_grid->gridModel()->index(r, column), role).toString();
    }
    std::size_t records() const { return m_data->project->History().size(); }

    std::unique_ptr<GridLayerWorkspace> m_data;
    std::unique_ptr<QWidget> m_window;
    AttributeListCtrl* m_grid = nullptr;
    QLineEdit* m_elsewhere = nullptr;
};

void GridWidgetTest::init()
{
    m_data = std::make_unique<GridLayerWorkspace>();
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_grid = new AttributeListCtrl(m_data->ws, m_window.get());
    m_elsewhere = new QLineEdit(m_window.get());
    layout->addWidget(m_grid);
    layout->addWidget(m_elsewhere);
    m_window->resize(420, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QApplication::setActiveWindow(m_window.get());
}

void GridWidgetTest::cleanup()
{
    m_window.reset();
    m_data.reset();
}

void GridWidgetTest::cellTypesFollowTheEditorKinds()
{
    QCOMPARE(m_grid->accessibleName(), QStringLiteral("属性"));
    const auto* model = m_grid->gridModel();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("属性"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("值"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral(" "));
    QCOMPARE(m_grid->columnWidth(0), 100);
    QCOMPARE(m_grid->columnWidth(2), 80);
    // The value column takes whatever width the panel has left.
    QCOMPARE(m_grid->columnWidth(0) + m_grid->columnWidth(1) + m_grid->columnWidth(2),
             m_grid->viewport()->width());

    StringSnapShotItem* string = m_data->addString();
    QVERIFY(m_data->click(string));
    QCOMPARE(model->rowCount(), string->RowCount());
    QCOMPARE(cellType(row("x"), 1), uint(PropertyGrid::kCellEdit));
    QCOMPARE(cellType(row("Width"), 2), uint(PropertyGrid::kCellReadOnly));
    QCOMPARE(cellType(row("Mode"), 1), uint(PropertyGrid::kCellDropList));
    QCOMPARE(cellType(row("Text Align"), 2), uint(PropertyGrid::kCellDropList));
    QCOMPARE(cellType(row("Foreground Color"), 1), uint(PropertyGrid::kCellEdit));
    QCOMPARE(cellType(row("Foreground Color"), 2), uint(PropertyGrid::kCellButton));
    QCOMPARE(cellType(row("StringID"), 1), uint(PropertyGrid::kCellReadOnly));
    QCOMPARE(cellType(row("StringID"), 2), uint(PropertyGrid::kCellButton));
    QCOMPARE(cellType(row("Index in List"), 1), uint(PropertyGrid::kCellReadOnly));
    QCOMPARE(text(row("Foreground Color"), 2, Qt::AccessibleTextRole),
             QStringLiteral("Click Select"));
    QCOMPARE(text(row("Name"), 1, Qt::AccessibleTextRole), QString::fromStdString(string->Name()));

    // Inside a locked group the place is read-only; nothing opens over it.
    QSignalSpy changes(m_grid->gridModel(), &QAbstractItemModel::dataChanged);
    m_data->root->SetEditable(0, 1);
    m_data->ws.Grid().Refresh();
    QVERIFY(changes.count() >= 2);
    QCOMPARE(cellType(row("x"), 1), uint(PropertyGrid::kCellReadOnly));
    m_grid->beginEdit(row("x"), 1);
    QVERIFY(!m_grid->editBox()->isVisible());
    QVERIFY(!m_data->ws.Grid().Editing());
}

void GridWidgetTest::dropDownsOfferTheItemsOfTheirKind()
{
    StringSnapShotItem* string = m_data->addString();
    QVERIFY(m_data->click(string));
    m_grid->beginEdit(row("Text Align"), 2);
    QComboBox* combo = m_grid->dropDown();
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QStringLiteral("Vertical Top"));
    QCOMPARE(combo->currentText(), QStringLiteral("Vertical Center"));

    // The next edit reuses the one drop-down; the edit box stays hidden.
    m_grid->beginEdit(row("Mode"), 1);
    QCOMPARE(m_grid->findChildren<QComboBox*>().size(), 1);
    QVERIFY(!m_grid->editBox()->isVisible());
    QCOMPARE(combo->itemText(0), QStringLiteral("Normal"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Transparent"));
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    QVERIFY(!combo->isVisible());
    QCOMPARE(text(row("Mode"), 1), QStringLiteral("Normal"));
    QCOMPARE(records(), std::size_t{2}); // the untouched alignment and the mode
}

void GridWidgetTest::editBoxCommitsOneRecordAndUpDownMoveTheEdit()
{
    StringSnapShotItem* string = m_data->addString();
    QVERIFY(m_data->click(string));
    QSignalSpy resets(m_grid->gridModel(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(m_grid->gridModel(), &QAbstractItemModel::dataChanged);

    m_grid->beginEdit(row("y"), 1);
    NetEditCtrl* edit = m_grid->editBox();
    QVERIFY(edit->isVisible());
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("0"));
    const int narrow = edit->width();
    edit->clear();
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!edit->isVisible());
    QCOMPARE(records(), std::size_t{1});
    QCOMPARE(int(string->AttrBlock()->y), 12);
    QCOMPARE(text(row("y"), 1), QStringLiteral("12"));
    // The model heard of the one row; it was not rebuilt.
    QCOMPARE(resets.count(), 0);
    QVERIFY(changes.count() >= 1);

    // Down commits and opens the row below; Up goes back.
    m_grid->beginEdit(row("y"), 1);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(records(), std::size_t{2});
    QCOMPARE(m_data->ws.Grid().EditRow(), row("Width"));
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("100"));
    QTest::keyClicks(edit, QString(60, QLatin1Char('9')));
    QVERIFY(edit->width() > narrow);
    edit->setText(QStringLiteral("120"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(records(), std::size_t{3});
    QCOMPARE(int(string->AttrBlock()->width), 120);
    QCOMPARE(m_data->ws.Grid().EditRow(), row("y"));

    // Above the first row nothing happens: the edit stays where it is.
    m_grid->beginEdit(0, 1);
    QCOMPARE(records(), std::size_t{4});
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(m_data->ws.Grid().EditRow(), 0);
    QCOMPARE(records(), std::size_t{4});

    // One undo takes back one commit.
    m_grid->cancelEdit();
    QVERIFY(editing::Undo(*m_data->project));
    QVERIFY(editing::Undo(*m_data->project));
    QCOMPARE(int(string->AttrBlock()->width), 100);
    QCOMPARE(int(string->AttrBlock()->y), 12);
}

void GridWidgetTest::leavingTheGridCommitsTheEdit()
{
    QVERIFY(m_data->click(m_data->scene));
    // A click on the value cell opens the edit box over it.
    const QRect cell = m_grid->visualRect(m_grid->gridModel()->index(row("x"), 1));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(m_grid->editBox()->isVisible());
    QCOMPARE(m_grid->editBox()->geometry().topLeft(), cell.topLeft());
    m_grid->editBox()->setText(QStringLiteral("30"));
    m_elsewhere->setFocus();
    QTRY_VERIFY(!m_grid->editBox()->isVisible());
    QCOMPARE(int(m_data->root->Group().x), 30);
    QCOMPARE(records(), std::size_t{1});
    QVERIFY(m_elsewhere->hasFocus());
}

void GridWidgetTest::colourButtonCommitsTheScriptedColour()
{
    StringSnapShotItem* string = m_data->addString();
    QVERIFY(m_data->click(string));
    const int colour = row("Background Color");
    m_grid->beginEdit(colour, 2);
    QPushButton* button = m_grid->browseButton();
    QVERIFY(button->isVisible());
    QVERIFY(button->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("Browse.."));
    m_data->ui.queueColour(0x00336699);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isVisible());
    QCOMPARE(uint(string->StringInfo().background), 0x00336699u);
    QCOMPARE(text(colour, 1), QStringLiteral("0x00336699"));
    QCOMPARE(records(), std::size_t{1});
    // The swatch shows the colour inside a grey outline (white on a white cell stays visible).
    const QImage swatch = m_grid->gridModel()
                              ->data(m_grid->gridModel()->index(colour, 1), Qt::DecorationRole)
                              .value<QPixmap>()
                              .toImage();
    QCOMPARE(swatch.pixelColor(5, 5), QColor(0x99, 0x66, 0x33));
    QCOMPARE(swatch.pixelColor(0, 0), QColor(0x80, 0x80, 0x80));

    // Cancelled: nothing changes, nothing is recorded.
    m_grid->beginEdit(colour, 2);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(records(), std::size_t{1});
}

void GridWidgetTest::pathButtonRefusesAnInvalidFile()
{
    const std::string bad = m_data->dir.filePath("not-a-picture.png");
    QVERIFY(platform::writeFileAtomically(bad, "text"));
    PicSnapshotItem* region = m_data->addRegion(2);
    QVERIFY(m_data->click(region));
    m_grid->beginEdit(row("Path"), 2);
    QVERIFY(m_grid->browseButton()->isVisible());
    m_data->ui.queuePath(bad);
    QTest::mouseClick(m_grid->browseButton(), Qt::LeftButton);
    QCOMPARE(m_data->ui.messages(), std::vector<std::string>{"无效文件路径!"});
    QCOMPARE(records(), std::size_t{0});
    QCOMPARE(m_data->project->Pictures().Size(), std::size_t{0});
    QCOMPARE(text(row("Path"), 1), QString());
}

void GridWidgetTest::stringIdButtonWaitsForTheStringSelection()
{
    StringSnapShotItem* string = m_data->addString();
    QVERIFY(m_data->click(string));
    m_grid->beginEdit(row("StringID"), 2);
    QVERIFY(m_grid->browseButton()->isVisible());
    QVERIFY(!m_grid->browseButton()->isEnabled());

    int opened = 0;
    m_grid->setStringChooser([&opened](const StringRegistry&) {
        ++opened;
        return std::optional<StringRecord>();
    });
    QVERIFY(m_grid->browseButton()->isEnabled());
    QTest::mouseClick(m_grid->browseButton(), Qt::LeftButton);
    QCOMPARE(opened, 1);
    QCOMPARE(records(), std::size_t{0});
}

QTEST_MAIN(GridWidgetTest)
#include "GridWidgetTest.moc"
