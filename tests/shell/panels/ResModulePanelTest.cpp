// The resource manager panel and the string selection dialog over a project made in
// memory: list flows through the view, the double-click assignment with undo, the
// accessible cell texts, filtering as one types.
#include "components/visual/HeadlessVisualEditor.h"
#include "editing/AddCommands.h"
#include "editing/UndoHistory.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/CCanvasSnapShotItem.h"
#include "model/PicSnapshotItem.h"
#include "model/StringSnapShotItem.h"
#include "platform/ScriptedInteraction.h"
#include "platform/TemporaryDirectory.h"
#include "shell/dialogs/DlgResDirSelect.h"
#include "shell/dialogs/DlgStringSelect.h"
#include "shell/panels/DlgResModule.h"
#include "strings/RtfBuilder.h"
#include "strings/RtfClipboard.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

using editing::ResourcePanel;

namespace {

std::string fileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The RTF under every clipboard format, or the first difference from `expected`.
QString rtfMismatch(const QMimeData* data, const std::string& expected)
{
    if (!data) {
        return QStringLiteral("nothing on the clipboard");
    }
    for (const char* type : RtfClipboard::kRtfMimeTypes) {
        if (data->data(QString::fromLatin1(type)).toStdString() != expected) {
            return QString::fromLatin1(type) + QStringLiteral(": ") +
                   QString::fromLatin1(data->data(QString::fromLatin1(type)));
        }
    }
    return {};
}

// Puts `formats` (format, bytes) on the clipboard and pastes into `box`.
void pasteInto(QTextEdit* box, const std::vector<std::pair<QString, QByteArray>>& formats)
{
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : formats) {
        data->setData(format, bytes);
    }
    QApplication::clipboard()->setMimeData(data);
    box->paste();
}

// Runs `drive` on the modal dialog that opens next, once it is shown.
void whenDialogOpens(std::function<void(DlgResDirSelect*)> drive)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [drive, poll] {
        if (auto* dialog = qobject_cast<DlgResDirSelect*>(QApplication::activeModalWidget())) {
            drive(dialog);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// A workspace with one project of one scene, and a panel over it.
struct PanelSetup
{
    PanelSetup()
    {
        platform::setInteraction(&ui);
        auto created = std::make_unique<APStyleProject>();
        created->InitNew();
        project = &ws.OpenProject(std::move(created));
        project->SetCaseDir(dir.path());
        scene = editing::add::Scene(ws, true);
        root = static_cast<CCanvasSnapShotItem*>(scene->Elements().front().get());
        panel = std::make_unique<DlgResModule>(ws);
        panel->resize(800, 300);
        panel->show();
    }
    ~PanelSetup()
    {
        panel.reset();
        platform::setInteraction(nullptr);
    }

    std::string png(const std::string& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const std::string path = dir.filePath(name);
        image.save(QString::fromStdString(path));
        return path;
    }
    QAbstractItemModel* model() const { return panel->list()->model(); }
    QString cell(int row, int column, int role = Qt::DisplayRole) const
    {
        return model()->index(row, column).data(role).toString();
    }
    // What the accessibility layer reads from a cell of the shown list.
    QString accessibleCell(int row, int column) const
    {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(panel->list());
        if (!table || !table->tableInterface()) {
            return {};
        }
        QAccessibleInterface* item = table->tableInterface()->cellAt(row, column);
        return item ? item->text(QAccessible::Name) : QString();
    }
    // A double-click as the user makes it: the press that selects, then the double-click.
    void doubleClick(int row)
    {
        QTableView* view = panel->list();
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void selectOnly(int row)
    {
        panel->list()->clearSelection();
        panel->list()->selectRow(row);
    }

    platform::ScriptedInteraction ui;
    platform::TemporaryDirectory dir{"res-module"};
    HeadlessVisualEditor editor;
    editing::Workspace ws{editor};
    APStyleProject* project = nullptr;
    Snapshot* scene = nullptr;
    CCanvasSnapShotItem* root = nullptr;
    std::unique_ptr<DlgResModule> panel;
};

} // namespace

class ResModulePanelTest : public QObject
{
    Q_OBJECT

private slots:
    void addRemoveClearAndRefreshThroughThePanel();
    void doubleClickAssignsAPictureAndUndoRestoresTheFrame();
    void stringListCellsCarryTheirTextsInEveryScript();
    void filterNarrowsTheRowsAsOneTypes();
    void stringSelectSearchesByNameOrContentAndNeedsASelection();
    void copyFromTheTextBoxOffersPlainTextAndRtf();
    void pastePrefersRtfOverPlainText();
    void copyingStringRowsOffersTheirTextInTheCurrentLanguage();
    void resourceFoldersAreChosenInTheDialog();
};

void ResModulePanelTest::addRemoveClearAndRefreshThroughThePanel()
{
    PanelSetup s;
    QCOMPARE(s.model()->columnCount(), 3);
    QCOMPARE(s.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Path"));
    s.ui.queuePath(s.png("one.png", 8, 6) + "\n" + s.png("two.png", 3, 3));
    s.panel->runCommand(ResourcePanel::kCmdAddFiles);
    QCOMPARE(s.model()->rowCount(), 2);
    QCOMPARE(s.cell(1, 0), QStringLiteral("TWO"));
    QCOMPARE(s.accessibleCell(0, 0), QStringLiteral("ONE"));
    QCOMPARE(s.accessibleCell(1, 1), QStringLiteral("2"));
    // The last added row is selected and previewed with its size.
    QCOMPARE(s.panel->list()->currentIndex().row(), 1);
    QCOMPARE(s.panel->previewSize()->text(), QStringLiteral("3 X 3"));

    std::filesystem::remove(s.dir.filePath("two.png"));
    s.panel->runCommand(ResourcePanel::kCmdRefresh);
    QCOMPARE(s.model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(!s.model()->index(0, 0).data(Qt::ForegroundRole).isValid());

    s.selectOnly(0);
    s.panel->runCommand(ResourcePanel::kCmdDeleteSelection);
    QCOMPARE(s.model()->rowCount(), 1);
    QCOMPARE(s.cell(0, 0), QStringLiteral("TWO"));

    s.ui.queueAnswer(platform::Answer::No);
    s.panel->runCommand(ResourcePanel::kCmdClearList);
    QCOMPARE(s.model()->rowCount(), 1);
    s.ui.queueAnswer(platform::Answer::Yes);
    s.panel->runCommand(ResourcePanel::kCmdClearList);
    QCOMPARE(s.model()->rowCount(), 0);
    QVERIFY(s.project->Pictures().Empty());
}

void ResModulePanelTest::doubleClickAssignsAPictureAndUndoRestoresTheFrame()
{
    PanelSetup s;
    s.panel->logic().AddFiles({s.png("a.png", 10, 10), s.png("b.png", 10, 10)});
    auto* picture = static_cast<PicSnapshotItem*>(s.root->AddChild(SnapShotItem::kPicture, 1));
    s.root->RefreshRows();
    s.ws.RebuildTree();
    QVERIFY(s.ws.SelectObject(picture));
    QCOMPARE(s.model()->rowCount(), 2);
    const PicFrame before = *picture->CurrentFrame();

    s.doubleClick(1);
    QCOMPARE(QString::fromStdString(picture->CurrentFrame()->name), QStringLiteral("B"));
    QCOMPARE(picture->CurrentFrame()->id, 2);

    QVERIFY(editing::Undo(*s.project));
    QVERIFY(*picture->CurrentFrame() == before);
}

void ResModulePanelTest::stringListCellsCarryTheirTextsInEveryScript()
{
    PanelSetup s;
    StringRegistry& strings = s.project->Strings();
    const char* names[] = {"中文", "日本語", "한국어", "العربية", "עברית", "ไทย", "Русский"};
    const char* texts[] = {"确定", "はい", "확인", "موافق", "אישור", "ตกลง", "Готово"};
    for (int i = 0; i < 7; ++i) {
        strings.LanguageNames()[static_cast<std::size_t>(i)] = names[i];
    }
    StringRecord& record = strings.Append(1, "IDS_OK");
    for (int i = 0; i < 7; ++i) {
        record.texts[static_cast<std::size_t>(i)] = texts[i];
    }
    auto* text = static_cast<StringSnapShotItem*>(s.root->AddChild(SnapShotItem::kString, 0));
    s.root->RefreshRows();
    s.ws.RebuildTree();
    QVERIFY(s.ws.SelectObject(text));

    QCOMPARE(s.model()->columnCount(), 9);
    QCOMPARE(s.model()->headerData(5, Qt::Horizontal).toString(), QString::fromUtf8("العربية"));
    QCOMPARE(s.accessibleCell(0, 0), QStringLiteral("IDS_OK"));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(s.accessibleCell(0, i + 2), QString::fromUtf8(texts[i]));
        QCOMPARE(s.cell(0, i + 2, Qt::AccessibleTextRole), QString::fromUtf8(texts[i]));
    }

    // Double-click gives the string element the record, undo takes it back.
    s.doubleClick(0);
    QCOMPARE(QString::fromStdString(text->TextStore().identifier), QStringLiteral("IDS_OK"));
    QVERIFY(editing::Undo(*s.project));
    QVERIFY(text->TextStore().identifier != "IDS_OK");
}

void ResModulePanelTest::filterNarrowsTheRowsAsOneTypes()
{
    PanelSetup s;
    std::vector<std::string> files;
    for (int i = 0; i < 30; ++i) {
        files.push_back(s.png("pic" + std::to_string(i) + ".png", 2, 2));
    }
    s.panel->logic().AddFiles(files);
    QCOMPARE(s.model()->rowCount(), 30);
    QTest::keyClicks(s.panel->filterBox(), "PIC2");
    // PIC2 and PIC20..PIC29
    QCOMPARE(s.model()->rowCount(), 11);
    s.panel->filterBox()->clear();
    QCOMPARE(s.model()->rowCount(), 30);
}

void ResModulePanelTest::stringSelectSearchesByNameOrContentAndNeedsASelection()
{
    platform::ScriptedInteraction ui;
    platform::setInteraction(&ui);
    StringRegistry strings;
    strings.Append(1, "IDS_OPEN").texts[0] = "Open";
    strings.Append(2, "IDS_CLOSE").texts[0] = "Close the file";
    strings.Append(3, "IDS_FILE").texts[0] = "File";

    DlgStringSelect dialog(strings);
    QAbstractItemModel* model = dialog.list()->model();
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("English"));
    QCOMPARE(model->headerData(4, Qt::Horizontal).toString(),
             QStringLiteral("Traditional Chinese"));
    QVERIFY(dialog.byNameButton()->isChecked());
    QCOMPARE(model->rowCount(), 3);

    QTest::keyClicks(dialog.searchBox(), "file");
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("IDS_FILE"));
    dialog.byTextButton()->setChecked(true);
    QCOMPARE(model->rowCount(), 2);

    dialog.accept();
    QCOMPARE(ui.messages().back(), std::string(DlgStringSelect::kChooseMessage));
    QVERIFY(!dialog.chosen());
    dialog.list()->selectRow(0);
    dialog.accept();
    QVERIFY(dialog.chosen());
    QCOMPARE(QString::fromStdString(dialog.chosen()->identifier), QStringLiteral("IDS_CLOSE"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    platform::setInteraction(nullptr);
}

void ResModulePanelTest::copyFromTheTextBoxOffersPlainTextAndRtf()
{
    PanelSetup s;
    QTextEdit* box = s.panel->textBox();
    const QString text = QString::fromUtf8("OK 确定 موافق");
    box->setPlainText(text);
    box->setFocus();
    box->selectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), text);
    const std::string rtf = RtfBuilder::build(text.toStdU16String());
    QVERIFY(rtf.find("\\fcharset134") != std::string::npos);
    QCOMPARE(rtfMismatch(copied, rtf), QString());

    // Only the selection, through the context menu's Copy; lines stay lines.
    box->setPlainText(QString::fromUtf8("первая\nвторая строка"));
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    QApplication::clipboard()->clear();
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QAction* copy = menu->findChild<QAction*>(QStringLiteral("edit-copy"));
    QVERIFY(copy && copy->isEnabled());
    copy->trigger();
    const QString part = QString::fromUtf8("вая\nвторая");
    QCOMPARE(QApplication::clipboard()->mimeData()->text(), part);
    QCOMPARE(rtfMismatch(QApplication::clipboard()->mimeData(),
                         RtfBuilder::build(part.toStdU16String())),
             QString());
}

void ResModulePanelTest::pastePrefersRtfOverPlainText()
{
    PanelSetup s;
    QTextEdit* box = s.panel->textBox();
    // Saved by a word processor from the .txt beside each (tests/data/rtf/make_fixtures.sh).
    const std::string dir = SKINSMITH_TEST_DATA_DIR "/rtf/";
    int format = 0;
    for (const char* name : {"chinese", "japanese", "korean", "arabic", "hebrew", "thai",
                             "cyrillic", "greek", "latin", "lines", "mixed"}) {
        QString expected = QString::fromStdString(fileContents(dir + name + ".txt"));
        QVERIFY2(!expected.isEmpty(), name);
        expected.chop(1); // the final line feed
        const QByteArray rtf = QByteArray::fromStdString(fileContents(dir + name + ".rtf"));
        // Each of the RTF formats in turn, beside a plain text that must not win.
        const QString type = QString::fromLatin1(RtfClipboard::kRtfMimeTypes[format++ % 3]);
        box->clear();
        pasteInto(box, {{type, rtf}, {QStringLiteral("text/plain"), "plain"}});
        QCOMPARE(box->toPlainText(), expected);
    }

    // At the caret, between what is there.
    box->setPlainText(QStringLiteral("[]"));
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(1);
    box->setTextCursor(cursor);
    pasteInto(box, {{QStringLiteral("text/rtf"),
                     QByteArray::fromStdString(RtfBuilder::build(u"中文ไทย"))}});
    QCOMPARE(box->toPlainText(), QString::fromUtf8("[中文ไทย]"));

    // Plain text alone, and beside something that is not RTF.
    box->clear();
    pasteInto(box, {{QStringLiteral("text/plain"), QString::fromUtf8("нет RTF").toUtf8()}});
    QCOMPARE(box->toPlainText(), QString::fromUtf8("нет RTF"));
    box->clear();
    pasteInto(box, {{QStringLiteral("text/rtf"), "<html>no</html>"},
                    {QStringLiteral("text/plain"), "fallback"}});
    QCOMPARE(box->toPlainText(), QStringLiteral("fallback"));
}

void ResModulePanelTest::copyingStringRowsOffersTheirTextInTheCurrentLanguage()
{
    PanelSetup s;
    StringRegistry& strings = s.project->Strings();
    strings.LanguageNames()[0] = "English";
    strings.LanguageNames()[1] = "中文";
    StringRecord& ok = strings.Append(1, "IDS_OK");
    ok.texts[0] = "OK";
    ok.texts[1] = "确定";
    StringRecord& no = strings.Append(2, "IDS_NO");
    no.texts[0] = "No";
    no.texts[1] = "否";
    auto* text = static_cast<StringSnapShotItem*>(s.root->AddChild(SnapShotItem::kString, 0));
    s.root->RefreshRows();
    s.ws.RebuildTree();
    QVERIFY(s.ws.SelectObject(text));
    QCOMPARE(s.model()->columnCount(), 4);

    QTableView* view = s.panel->list();
    view->setFocus();
    view->setCurrentIndex(s.model()->index(0, 3));
    // The text box shows the current string in the current cell's language.
    QCOMPARE(s.panel->textBox()->toPlainText(), QString::fromUtf8("确定"));
    view->selectionModel()->select(s.model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QString both = QString::fromUtf8("确定\n否");
    QCOMPARE(QApplication::clipboard()->mimeData()->text(), both);
    QCOMPARE(rtfMismatch(QApplication::clipboard()->mimeData(),
                         RtfBuilder::build(both.toStdU16String())),
             QString());

    // From the name column: the first language.
    view->selectionModel()->setCurrentIndex(
        s.model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCOMPARE(s.panel->textBox()->toPlainText(), QStringLiteral("No"));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->mimeData()->text(), QStringLiteral("No"));

    // The picture list keeps the view's own copy: plain text only.
    s.panel->logic().AddFiles({s.png("pic.png", 2, 2)});
    SnapShotItem* picture = s.root->AddChild(SnapShotItem::kPicture, 1);
    s.root->RefreshRows();
    s.ws.RebuildTree();
    QVERIFY(s.ws.SelectObject(picture));
    QCOMPARE(s.panel->logic().ShownList(), int(editing::Workspace::kPictureList));
    view->setCurrentIndex(s.model()->index(0, 0));
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!s.panel->copySelectedStrings());
    QVERIFY(!QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
}

void ResModulePanelTest::resourceFoldersAreChosenInTheDialog()
{
    PanelSetup s;
    // No resource folder: a message, no dialog, the list as it was.
    s.panel->logic().AddFiles({s.png("kept.png", 2, 2)});
    s.panel->runCommand(ResourcePanel::kCmdUpdatePictures);
    QCOMPARE(QString::fromStdString(s.ui.messages().back()),
             QString::fromStdString(ResourcePanel::kNoResourceDirsMessage +
                                    s.panel->logic().ResourceDirectory()));
    QCOMPARE(s.model()->rowCount(), 1);

    std::filesystem::create_directories(s.dir.filePath("resource/day"));
    std::filesystem::create_directories(s.dir.filePath("resource/night"));
    s.png("resource/day/sun.png", 4, 4);
    s.png("resource/night/moon.png", 4, 4);

    // Cancel changes nothing; OK with no folder checked asks for one and stays open.
    bool offered = false;
    whenDialogOpens([&](DlgResDirSelect* dialog) {
        offered = dialog->chosen() == std::vector<std::string>{"day", "night"};
        dialog->noneButton()->click();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        offered = offered && dialog->isVisible();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    s.panel->runCommand(ResourcePanel::kCmdUpdatePictures);
    QVERIFY(offered);
    QCOMPARE(s.ui.messages().back(), std::string(DlgResDirSelect::kChooseMessage));
    QCOMPARE(s.cell(0, 0), QStringLiteral("KEPT"));

    // Night unchecked: the list holds the day pictures only, and the listing is written.
    whenDialogOpens([](DlgResDirSelect* dialog) {
        dialog->list()->item(1)->setCheckState(Qt::Unchecked);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    s.panel->runCommand(ResourcePanel::kCmdUpdatePictures);
    QCOMPARE(s.model()->rowCount(), 1);
    QCOMPARE(s.cell(0, 0), QStringLiteral("SUN"));
    QVERIFY(std::filesystem::exists(s.dir.filePath("resource/res.prc")));
}

QTEST_MAIN(ResModulePanelTest)
#include "ResModulePanelTest.moc"
