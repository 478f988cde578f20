#include "DialogScript.h"
#include "ExampleCopy.h"
#include "FindElement.h"

#include "editing/ChangeFeed.h"
#include "editing/CommandIds.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/ElementDescTables.h"
#include "model/Snapshot.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/panels/TextCheckPanel.h"
#include "shell/surface/QtVisualEditor.h"

#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace editing::cmd;

class TextCheckPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void checksInTheBackgroundOutlinesAndOpensRows();
    void checksThePseudoPreviewWithTheProjectsFont();
};

void TextCheckPanelTest::checksInTheBackgroundOutlinesAndOpensRows()
{
    ExampleCopy example;
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    CMainFrame frame(programDirectory(example));
    frame.resize(1200, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    TextCheckPanel* panel = frame.textCheck();
    QVERIFY(!frame.textCheckDock()->isVisible());
    QSignalSpy checked(panel, &TextCheckPanel::checked);

    // Shown from 视图, it checks the project: the demo's two-line tip is too high in each language.
    QCOMPARE(frame.runCommand(kTextCheckPanel), editing::CommandTable::Result::Ran);
    QVERIFY(frame.textCheckDock()->isVisible());
    QVERIFY(checked.wait(10000));
    const auto& rows = panel->rows().Rows();
    QCOMPARE(rows.size(), std::size_t{3});
    for (const auto& row : rows) {
        QCOMPARE(QString::fromStdString(row.cells[editing::TextCheckRows::kWhere]),
                 QStringLiteral("SettingsScene/TipsMarquee"));
    }
    QCOMPARE(panel->table()->model()->rowCount(), 3);

    // A double-click shows the element in the row's language, outlined in red.
    APStyleProject* project = frame.workspace().CurrentProject();
    Snapshot* settings = project->Scenes().at(2).get();
    SnapShotItem* tip = findElement(*settings->Elements().front(), "TipsMarquee");
    QVERIFY(tip);
    const int arabicRow = [&] {
        for (int r = 0; r < 3; ++r) {
            if (panel->table()->model()->index(r, 2).data().toString() ==
                QStringLiteral("العربية")) {
                return r;
            }
        }
        return -1;
    }();
    QVERIFY(arabicRow >= 0);
    // A view takes a double-click on the cell its first click pressed.
    const QPoint cell =
        panel->table()->visualRect(panel->table()->model()->index(arabicRow, 1)).center();
    QTest::mouseClick(panel->table()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(panel->table()->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(frame.workspace().Selection().Element(), tip);
    QCOMPARE(project->DisplayLanguage(), 2);
    QVERIFY(frame.surface().surface().Contains(tip->OwnGraph()));
    QCOMPARE(frame.surface().surface().Flagged(), (std::vector<const Graph*>{tip->OwnGraph()}));

    // An edit that makes room: the check runs again by itself and the outline goes.
    {
        const editing::ChangeBatch batch(frame.workspace().Feed());
        tip->SetAttrText(tip->FindRow(model::kPropHeight), 1, "24");
        editing::PostChange(editing::Change::Redraw());
    }
    QVERIFY(checked.wait(10000));
    QCOMPARE(panel->rows().Rows().size(), std::size_t{0});
    QVERIFY(frame.surface().surface().Flagged().empty());

    // Hidden, it outlines nothing and leaves the surface alone.
    QCOMPARE(frame.runCommand(kTextCheckPanel), editing::CommandTable::Result::Ran);
    QVERIFY(!frame.textCheckDock()->isVisible());
    QVERIFY(frame.surface().surface().Flagged().empty());
}

void TextCheckPanelTest::checksThePseudoPreviewWithTheProjectsFont()
{
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    // After the window, which installs its own dialogs as the interaction.
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    frame.resize(1200, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
    TextCheckPanel* panel = frame.textCheck();
    QSignalSpy checked(panel, &TextCheckPanel::checked);
    QCOMPARE(frame.runCommand(kTextCheckPanel), editing::CommandTable::Result::Ran);
    QVERIFY(checked.wait(10000));
    const std::size_t real = panel->rows().Rows().size();

    // The accented preview is checked instead of the real languages; the project stays as it was.
    QCOMPARE(frame.runCommand(kPseudoAccented), editing::CommandTable::Result::Ran);
    QVERIFY(checked.wait(10000));
    const auto& rows = panel->rows().Rows();
    QCOMPARE(rows.size(), std::size_t{1});
    QCOMPARE(rows.front().cells[editing::TextCheckRows::kLanguage], std::string("qps-ploc"));
    QVERIFY(rows.front().cells[editing::TextCheckRows::kDetail].find("[Ĥöļð ÖĶ") !=
            std::string::npos);
    QVERIFY(!frame.doc().document().IsModified());
    QCOMPARE(frame.runCommand(kPseudoAccented), editing::CommandTable::Result::Ran);
    QVERIFY(checked.wait(10000));
    QCOMPARE(panel->rows().Rows().size(), real);

    // A font file chosen from the panel is kept beside the project and measures from then on.
    const std::string font = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf";
    ui.queuePath(font);
    QMenu* menu = panel->fontButton()->menu();
    menu->actions().front()->trigger();
    QVERIFY(checked.wait(10000));
    const std::string kept = example.projectPath() + ".textcheck";
    QVERIFY(platform::readFile(kept).value_or("").find(font) != std::string::npos);
    menu->actions().at(1)->trigger();
    QVERIFY(checked.wait(10000));
    QVERIFY(!platform::pathExists(kept));
}

QTEST_MAIN(TextCheckPanelTest)
#include "TextCheckPanelTest.moc"
