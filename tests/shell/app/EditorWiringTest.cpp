#include "DialogScript.h"
#include "ExampleCopy.h"
#include "FindElement.h"

#include "components/visual/Graph.h"
#include "editing/CommandIds.h"
#include "editing/MultiSelection.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "platform/ActiveLanguage.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/app/CommandActions.h"
#include "shell/app/ZoomControl.h"
#include "shell/panels/CProjectTree.h"
#include "shell/panels/ProjectTreeModel.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/surface/SurfaceWidget.h"
#include "support/RecordingChangeObserver.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QMouseEvent>
#include <QtTest>

using namespace editing::cmd;

namespace {

// Counts the paint events and title changes of the window's views.
class ViewCounter : public QObject
{
public:
    int paints = 0;
    int titles = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        } else if (event->type() == QEvent::WindowTitleChange) {
            ++titles;
        }
        return false;
    }
};

// The example opened in a shown main window, with MainScene's KeyMenu selected in the tree.
struct OpenWindow
{
    OpenWindow() : frame(programDirectory(example))
    {
        frame.resize(1200, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
        // Opening fits the screen into the view; at actual size view pixels are scene pixels.
        QApplication::processEvents();
        frame.zoom().setZoom(1.0);
        project = frame.workspace().CurrentProject();
        keyMenu = findElement(*project->Scenes().front()->Elements().front(), "KeyMenu");
        QVERIFY(keyMenu);
        QVERIFY(frame.workspace().SelectObject(keyMenu));
        QApplication::processEvents();
    }

    SurfaceWidget* surface() { return frame.surface().widget(); }
    QPoint centreOf(SnapShotItem* element)
    {
        const GraphRect r = element->OwnGraph()->GetRect();
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void drag(const QPoint& from, const QPoint& by)
    {
        QTest::mousePress(surface(), Qt::LeftButton, Qt::ShiftModifier, from);
        for (int step = 1; step <= 4; ++step) {
            const QPointF at = from + by * step / 4;
            QMouseEvent move(QEvent::MouseMove, at, surface()->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::ShiftModifier);
            QApplication::sendEvent(surface(), &move);
        }
        QTest::mouseRelease(surface(), Qt::LeftButton, Qt::ShiftModifier, from + by);
    }
    QString gridValue(const std::string& label)
    {
        const editing::PropertyGrid& grid = frame.workspace().Grid();
        const int row = grid.FindRow(label);
        return row < 0 ? QString() : QString::fromStdString(grid.Rows()[row].value);
    }

    ExampleCopy example;
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    CMainFrame frame;
    APStyleProject* project = nullptr;
    SnapShotItem* keyMenu = nullptr;
};

} // namespace

class EditorWiringTest : public QObject
{
    Q_OBJECT

private slots:
    void aDragReachesTheGridUndoTheTitleAndTheFile();
    void aGridEditRepaintsTheSurfaceAndAClickSelectsInTheTree();
    void everyViewHearsEachStepOnce();
    void theCursorPositionAndTheMultiSelectSwitchFollowTheUser();
    void aTreeClickUpdatesTheToolbarAtOnce();
    void withoutABrowserTheManualOpensInAWindow();
    void helpOpensTheManualOfTheWindowsLanguageElseTheOther();
    void theAboutBoxShowsTheVersionOfCMakeLists();
    void aRightClickSelectsAndOffersTheCommandsOfTheElement();
    void severalElementsArePickedAndArrangedWithTheMouse();
};

void EditorWiringTest::aDragReachesTheGridUndoTheTitleAndTheFile()
{
    OpenWindow w;
    const QString path = QString::fromStdString(w.example.projectPath());
    QCOMPARE(w.frame.windowTitle(), path);
    const int x = w.keyMenu->AttrBlock()->x;
    w.drag(w.centreOf(w.keyMenu), QPoint(30, -12));
    QCOMPARE(int(w.keyMenu->AttrBlock()->x), x + 30);
    QCOMPARE(w.gridValue("x"), QString::number(x + 30));
    QCOMPARE(w.frame.windowTitle(), path + QStringLiteral(" *"));
    QVERIFY(w.frame.actions().action(kUndo)->isEnabled());

    // A nudge with the arrow keys is one more step; undo takes back one step at a time.
    QTest::keyClick(w.surface(), Qt::Key_Right);
    QCOMPARE(int(w.keyMenu->AttrBlock()->x), x + 31);
    // Shift moves by ten.
    QTest::keyClick(w.surface(), Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(int(w.keyMenu->AttrBlock()->x), x + 21);
    QCOMPARE(w.frame.runCommand(kUndo), editing::CommandTable::Result::Ran);
    QCOMPARE(int(w.keyMenu->AttrBlock()->x), x + 31);
    QCOMPARE(w.frame.runCommand(kUndo), editing::CommandTable::Result::Ran);
    QCOMPARE(int(w.keyMenu->AttrBlock()->x), x + 30);
    QCOMPARE(w.gridValue("x"), QString::number(x + 30));

    QCOMPARE(w.frame.runCommand(kSaveProject), editing::CommandTable::Result::Ran);
    QCOMPARE(w.frame.windowTitle(), path);
    const std::optional<std::string> saved = platform::readFile(w.example.projectPath());
    QVERIFY(saved);
    char expected[16];
    std::snprintf(expected, sizeof expected, "0x%.4x", x + 30);
    QVERIFY2(saved->find(expected) != std::string::npos, expected);
}

void EditorWiringTest::aGridEditRepaintsTheSurfaceAndAClickSelectsInTheTree()
{
    OpenWindow w;
    ViewCounter counter;
    w.surface()->installEventFilter(&counter);
    editing::PropertyGrid& grid = w.frame.workspace().Grid();
    QVERIFY(grid.Commit(*w.project, w.frame.workspace().Tree(), grid.FindRow("x"), 1, "200"));
    QCOMPARE(int(w.keyMenu->AttrBlock()->x), 200);
    QTRY_VERIFY(counter.paints > 0);

    // A click on another element selects it in the tree and the grid; Delete removes it.
    SnapShotItem* keyBack =
        findElement(*w.project->Scenes().front()->Elements().front(), "KeyBack");
    QVERIFY(keyBack);
    const QPoint at = w.centreOf(keyBack);
    QTest::mouseClick(w.surface(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(w.frame.workspace().Selection().Element(), keyBack);
    QCOMPARE(w.frame.workspace().Grid().Element(), keyBack);
    const QModelIndex current = w.frame.tree().currentIndex();
    QCOMPARE(current.data().toString(), QStringLiteral("KeyBack"));
    QTest::keyClick(w.surface(), Qt::Key_Delete);
    QVERIFY(keyBack->IsDeleted());
    QVERIFY(!w.keyMenu->IsDeleted());
}

void EditorWiringTest::aRightClickSelectsAndOffersTheCommandsOfTheElement()
{
    OpenWindow w;
    SnapShotItem* keyBack =
        findElement(*w.project->Scenes().front()->Elements().front(), "KeyBack");
    QVERIFY(keyBack);
    QStringList offered;
    // The menu runs its own loop: it is read and its 删除 chosen from inside that loop.
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                offered << action->text() +
                               (action->isEnabled() ? QString() : QStringLiteral(" -"));
            }
        }
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == kDelete) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        }
    });
    const QPoint at = w.centreOf(keyBack);
    QTest::mousePress(w.surface(), Qt::RightButton, Qt::NoModifier, at);
    QCOMPARE(w.frame.workspace().Selection().Element(), keyBack);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, w.surface()->mapToGlobal(at));
    QApplication::sendEvent(w.surface(), &menu);
    QCOMPARE(offered, (QStringList{QStringLiteral("复制(&C)"), QStringLiteral("粘贴(&P) -"),
                                   QStringLiteral("删除(&D)"), QStringLiteral("上移"),
                                   QStringLiteral("下移"), QStringLiteral("缩放到选中对象(&L)"),
                                   QStringLiteral("排列")}));
    QVERIFY(keyBack->IsDeleted());
    QVERIFY(!w.keyMenu->IsDeleted());
}

void EditorWiringTest::severalElementsArePickedAndArrangedWithTheMouse()
{
    OpenWindow w;
    SnapShotItem* keyBack =
        findElement(*w.project->Scenes().front()->Elements().front(), "KeyBack");
    QVERIFY(keyBack);
    const GraphRect menuRect = w.keyMenu->AbsoluteRect();
    const GraphRect backRect = keyBack->AbsoluteRect();
    QTest::mouseClick(w.surface(), Qt::LeftButton, Qt::NoModifier, w.centreOf(w.keyMenu));
    QTest::mouseClick(w.surface(), Qt::LeftButton, Qt::ControlModifier, w.centreOf(keyBack));
    QCOMPARE(w.frame.tree().currentIndex().data().toString(), QStringLiteral("KeyMenu"));
    QVERIFY(w.frame.actions().action(kAlignTop)->isEnabled());
    QVERIFY(!w.frame.actions().action(kDistributeHorizontally)->isEnabled());

    // 排列 → 右对齐: KeyBack's right edge goes to the key element's, one undo step.
    w.frame.actions().update();
    w.frame.actions().action(kAlignRight)->trigger();
    QCOMPARE(keyBack->AbsoluteRect().right, menuRect.right);
    QCOMPARE(w.keyMenu->AbsoluteRect(), menuRect);
    QCOMPARE(w.frame.windowTitle().endsWith(QStringLiteral(" *")), true);
    QCOMPARE(w.frame.runCommand(kUndo), editing::CommandTable::Result::Ran);
    QCOMPARE(keyBack->AbsoluteRect(), backRect);

    // Both still selected: a drag of one moves the two, one undo step.
    w.drag(w.centreOf(keyBack), QPoint(-6, -9));
    QCOMPARE(keyBack->AbsoluteRect(), backRect.Offset(-6, -9));
    QCOMPARE(w.keyMenu->AbsoluteRect(), menuRect.Offset(-6, -9));
    QCOMPARE(w.frame.runCommand(kUndo), editing::CommandTable::Result::Ran);
    QCOMPARE(w.keyMenu->AbsoluteRect(), menuRect);

    // Esc, then a rubber band from the empty margin beyond the screen's corner catches both.
    QTest::keyClick(w.surface(), Qt::Key_Escape);
    w.frame.actions().update();
    QCOMPARE(w.frame.actions().action(kSameWidth)->isEnabled(), false);
    const QPoint from(w.project->ScreenWidth() + 2, w.project->ScreenHeight() + 2);
    const QPoint to(menuRect.left - 1, menuRect.top - 1);
    QTest::mousePress(w.surface(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), w.surface()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.surface(), &move);
    QTest::mouseRelease(w.surface(), Qt::LeftButton, Qt::NoModifier, to);
    w.frame.actions().update();
    QVERIFY(w.frame.actions().action(kSameWidth)->isEnabled());
    const std::vector<SnapShotItem*> caught = editing::multi::Elements(w.frame.workspace());
    QVERIFY(std::find(caught.begin(), caught.end(), w.keyMenu) != caught.end());
    QVERIFY(std::find(caught.begin(), caught.end(), keyBack) != caught.end());
}

void EditorWiringTest::everyViewHearsEachStepOnce()
{
    OpenWindow w;
    ViewCounter counter;
    ViewCounter titles;
    w.surface()->installEventFilter(&counter);
    w.frame.installEventFilter(&titles);
    RecordingChangeObserver views(w.frame.workspace().Feed());
    const auto step = [&](const char* what, const std::function<void()>& work) {
        QApplication::processEvents();
        counter.paints = titles.titles = 0;
        views.clear();
        work();
        QApplication::processEvents();
        QVERIFY2(views.batches().size() == 1, what);
        QVERIFY2(counter.paints == 1,
                 qPrintable(QStringLiteral("%1: %2 paints").arg(what).arg(counter.paints)));
        QVERIFY2(titles.titles <= 1, what);
    };
    step("drag", [&] { w.drag(w.centreOf(w.keyMenu), QPoint(10, 0)); });
    step("nudge", [&] { QTest::keyClick(w.surface(), Qt::Key_Down); });
    step("grid", [&] {
        editing::PropertyGrid& grid = w.frame.workspace().Grid();
        grid.Commit(*w.project, w.frame.workspace().Tree(), grid.FindRow("y"), 1, "3");
    });
    step("undo", [&] { w.frame.runCommand(kUndo); });
    step("redo", [&] { w.frame.runCommand(kRedo); });
    step("add scene", [&] { w.frame.runCommand(kAddScene); });
}

void EditorWiringTest::theCursorPositionAndTheMultiSelectSwitchFollowTheUser()
{
    OpenWindow w;
    QTest::mouseMove(w.surface(), QPoint(40, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 50), w.surface()->mapToGlobal(QPointF(40, 50)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.surface(), &move);
    QVERIFY2(w.frame.coordinatePane()->text().contains(QStringLiteral("40")),
             qPrintable(w.frame.coordinatePane()->text()));

    QAction* multi = w.frame.actions().action(kMultiSelect);
    multi->trigger();
    QApplication::processEvents();
    QVERIFY(w.frame.workspace().Tree().CheckBoxes());
    QVERIFY(multi->isChecked());
    multi->trigger();
    QApplication::processEvents();
    QVERIFY(!w.frame.workspace().Tree().CheckBoxes());
    QVERIFY(!multi->isChecked());
}

void EditorWiringTest::aTreeClickUpdatesTheToolbarAtOnce()
{
    OpenWindow w;
    QAction* addString = w.frame.actions().action(kAddString);
    QVERIFY(!addString->isEnabled()); // KeyMenu, a string, holds nothing
    SnapShotItem* softKeys =
        findElement(*w.project->Scenes().front()->Elements().front(), "SoftKeys");
    QVERIFY(softKeys);
    CProjectTree& tree = w.frame.tree();
    const QModelIndex index =
        tree.treeModel()->indexOf(w.frame.workspace().Tree().FindNode(softKeys));
    QVERIFY(index.isValid());
    // A click on the node: no menu is opened, no event loop turn is needed.
    tree.setCurrentIndex(index);
    QCOMPARE(w.frame.workspace().Selection().Element(), softKeys);
    QVERIFY(addString->isEnabled());
}

namespace {

// Writes a page of the manual in `language` ("en", "zh") below `program`.
void writeManualPage(const QString& program, const QString& language, const QByteArray& body)
{
    QDir().mkpath(program + QStringLiteral("manual/") + language);
    QFile page(program + QStringLiteral("manual/") + language + QStringLiteral("/index.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>" + body + "</h1></body></html>");
}

// Makes `language` the window's language while it lives.
class LanguageScope
{
public:
    explicit LanguageScope(platform::UiLanguage language) : m_previous(platform::activeUiLanguage())
    {
        platform::activateUiLanguage(language);
    }
    ~LanguageScope() { platform::activateUiLanguage(m_previous); }

private:
    platform::UiLanguage m_previous;
};

QString cmakeVersion()
{
    QFile lists(QStringLiteral(SKINSMITH_SOURCE_DIR "/CMakeLists.txt"));
    if (!lists.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QRegularExpression project(QStringLiteral(R"(project\(SkinSmith VERSION ([0-9.]+))"));
    return project.match(QString::fromUtf8(lists.readAll())).captured(1);
}

} // namespace

void EditorWiringTest::withoutABrowserTheManualOpensInAWindow()
{
    ExampleCopy example;
    const QString program = programDirectory(example);
    writeManualPage(program, QStringLiteral("en"), "Manual");
    LanguageScope english(platform::UiLanguage::English);
    CMainFrame frame(program);
    QList<QUrl> asked;
    frame.setUrlOpener([&asked](const QUrl& url) {
        asked.append(url);
        return false;
    });
    QCOMPARE(frame.runCommand(kHelp), editing::CommandTable::Result::Ran);
    QCOMPARE(asked.size(), 1);
    QVERIFY(frame.manualWindow());
    QVERIFY(frame.manualWindow()->isVisible());
    auto* browser = frame.manualWindow()->findChild<QTextBrowser*>();
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Manual")));
}

void EditorWiringTest::helpOpensTheManualOfTheWindowsLanguageElseTheOther()
{
    ExampleCopy example;
    const QString program = programDirectory(example);
    writeManualPage(program, QStringLiteral("en"), "Manual");
    writeManualPage(program, QStringLiteral("zh"), "用户手册");
    CMainFrame frame(program);
    QList<QUrl> asked;
    frame.setUrlOpener([&asked](const QUrl& url) {
        asked.append(url);
        return true;
    });
    const auto opened = [&](platform::UiLanguage language) {
        LanguageScope scope(language);
        asked.clear();
        frame.runCommand(kHelp);
        return asked.size() == 1 ? asked.front().toLocalFile() : QString();
    };
    QVERIFY(
        opened(platform::UiLanguage::Chinese).endsWith(QStringLiteral("/manual/zh/index.html")));
    QVERIFY(
        opened(platform::UiLanguage::English).endsWith(QStringLiteral("/manual/en/index.html")));

    QVERIFY(QFile::remove(program + QStringLiteral("manual/en/index.html")));
    QVERIFY(
        opened(platform::UiLanguage::English).endsWith(QStringLiteral("/manual/zh/index.html")));
    QVERIFY(QFile::remove(program + QStringLiteral("manual/zh/index.html")));
    writeManualPage(program, QStringLiteral("en"), "Manual");
    QVERIFY(
        opened(platform::UiLanguage::Chinese).endsWith(QStringLiteral("/manual/en/index.html")));
}

void EditorWiringTest::theAboutBoxShowsTheVersionOfCMakeLists()
{
    const QString version = cmakeVersion();
    QVERIFY(!version.isEmpty());
    ExampleCopy example;
    CMainFrame frame(programDirectory(example));
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QCOMPARE(frame.runCommand(kAbout), editing::CommandTable::Result::Ran);
    QCOMPARE(shown, QStringLiteral("SkinSmithV") + version);
}

QTEST_MAIN(EditorWiringTest)
#include "EditorWiringTest.moc"
