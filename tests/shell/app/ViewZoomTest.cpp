#include "DialogScript.h"
#include "ExampleCopy.h"
#include "FindElement.h"

#include "components/visual/Graph.h"
#include "editing/CommandIds.h"
#include "editing/ViewZoom.h"
#include "editing/Workspace.h"
#include "model/APStyleProject.h"
#include "model/SnapShotItem.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedInteraction.h"
#include "shell/app/CMainFrame.h"
#include "shell/app/CZORVEDoc.h"
#include "shell/app/CZORVEView.h"
#include "shell/app/CommandActions.h"
#include "shell/app/ZoomControl.h"
#include "shell/surface/QtVisualEditor.h"
#include "shell/surface/RulerWidget.h"
#include "shell/surface/SurfaceWidget.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

using namespace editing::cmd;

namespace {

// The example opened in a main window of `size`, once the window has settled.
struct ZoomWindow
{
    explicit ZoomWindow(const QSize& size) : frame(programDirectory(example))
    {
        frame.resize(size);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.doc().openPath(QString::fromStdString(example.projectPath())));
        QApplication::processEvents();
    }

    double zoom() { return frame.workspace().Panel().Zoom(); }
    SurfaceWidget* surface() { return frame.surface().widget(); }
    QWidget* viewport() { return frame.view().viewport(); }
    // The editing panel's rectangle in the viewport's pixels.
    QRect panelInView()
    {
        QWidget* panel = frame.view().editingPanel();
        return QRect(panel->mapTo(viewport(), QPoint(0, 0)), panel->size());
    }
    QString zoomPane()
    {
        for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
            if (label->accessibleName() == QStringLiteral("缩放")) {
                return label->text();
            }
        }
        return {};
    }

    ExampleCopy example;
    platform::ScriptedInteraction ui;
    platform::ScopedInteraction scope{ui};
    CMainFrame frame;
};

} // namespace

class ViewZoomTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsAndFit();
    void anOpenedProjectFillsTheViewCentred_data();
    void anOpenedProjectFillsTheViewCentred();
    void theKeysStepTheZoomAndTheStatusBarShowsIt();
    void zoomToTheSelectionCentresIt();
    void theMiddleButtonPans();
    void theRulersFollowTheZoomTheScrollingAndTheMouse();
    void guidesComeOutOfTheRulersCatchDragsAndGoBack();
};

void ViewZoomTest::stepsAndFit()
{
    using namespace editing::zoom;
    QCOMPARE(In(1.0), 1.5);
    QCOMPARE(In(2.5), 3.0); // from a wheel zoom between the steps
    QCOMPARE(In(8.0), 8.0);
    QCOMPARE(Out(1.0), 0.75);
    QCOMPARE(Out(0.25), 0.25);
    QCOMPARE(Out(0.3), 0.25);
    // 320 x 240 into 800 x 600 with 16 on each side: 768 / 320 = 2.4, 568 / 240 = 2.366...
    QCOMPARE(Fit(320, 240, 800, 600), 2.36);
    QCOMPARE(Fit(320, 240, 100, 100), kMin);
    QCOMPARE(Fit(10, 10, 2000, 2000), kMax);
    QCOMPARE(Fit(0, 240, 800, 600), 1.0);
    QCOMPARE(QString::fromStdString(Text(2.36)), QStringLiteral("236%"));
}

void ViewZoomTest::anOpenedProjectFillsTheViewCentred_data()
{
    QTest::addColumn<QSize>("window");
    QTest::newRow("1200 x 800") << QSize(1200, 800);
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("1600 x 1000") << QSize(1600, 1000);
}

void ViewZoomTest::anOpenedProjectFillsTheViewCentred()
{
    QFETCH(QSize, window);
    ZoomWindow w(window);
    QApplication::processEvents();
    const QSize view = w.frame.view().room(false);
    QCOMPARE(w.viewport()->size(), view);
    const double zoom = w.zoom();
    QCOMPARE(zoom, editing::zoom::Fit(320, 240, view.width() - 9, view.height() - 9));
    const QRect panel = w.panelInView();
    const int margin = editing::zoom::kMargin;
    QVERIFY2(QRect(QPoint(0, 0), view).adjusted(margin, margin, -margin, -margin).contains(panel),
             qPrintable(QStringLiteral("panel %1,%2 %3x%4 in %5x%6")
                            .arg(panel.x())
                            .arg(panel.y())
                            .arg(panel.width())
                            .arg(panel.height())
                            .arg(view.width())
                            .arg(view.height())));
    QVERIFY(qAbs(panel.center().x() - view.width() / 2) <= 1);
    QVERIFY(qAbs(panel.center().y() - view.height() / 2) <= 1);
    // One percent more would not fit one of the two ways.
    QVERIFY(320 * (zoom + 0.01) + 9 > view.width() - 2 * margin ||
            240 * (zoom + 0.01) + 9 > view.height() - 2 * margin);
    QCOMPARE(w.zoomPane(), QStringLiteral("缩放：%1%").arg(qRound(zoom * 100)));
}

void ViewZoomTest::theKeysStepTheZoomAndTheStatusBarShowsIt()
{
    ZoomWindow w(QSize(1200, 800));
    w.frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.frame));
    w.surface()->setFocus();
    const double fitted = w.zoom();

    QTest::keyClick(w.surface(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 1.0);
    QCOMPARE(w.frame.view().editingPanel()->size(), QSize(329, 249));
    QCOMPARE(w.zoomPane(), QStringLiteral("缩放：100%"));
    QTest::keyClick(w.surface(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 1.5);
    QTest::keyClick(w.surface(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(w.surface(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 0.75);
    for (int step = 0; step < 10; ++step) {
        QTest::keyClick(w.surface(), Qt::Key_Minus, Qt::ControlModifier);
    }
    QCOMPARE(w.zoom(), editing::zoom::kMin);
    QVERIFY(!w.frame.actions().action(kZoomOut)->isEnabled() ||
            w.frame.runCommand(kZoomOut) != editing::CommandTable::Result::Ran);
    QCOMPARE(w.zoomPane(), QStringLiteral("缩放：25%"));
    for (int step = 0; step < 12; ++step) {
        w.frame.runCommand(kZoomIn);
    }
    QCOMPARE(w.zoom(), editing::zoom::kMax);
    QCOMPARE(w.frame.view().editingPanel()->size(), QSize(320 * 8 + 9, 240 * 8 + 9));
    QTest::keyClick(w.surface(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.zoom(), fitted);
    // The wheel keeps its half steps.
    w.frame.wheelZoom(true);
    QCOMPARE(w.zoom(), fitted + 0.5);
}

void ViewZoomTest::zoomToTheSelectionCentresIt()
{
    ZoomWindow w(QSize(1200, 800));
    QVERIFY(!w.frame.actions().action(kZoomSelection)->isEnabled() ||
            w.frame.workspace().Selection().Element() == nullptr);
    SnapShotItem* keys = findElement(
        *w.frame.workspace().CurrentProject()->Scenes().front()->Elements().front(), "KeyMenu");
    QVERIFY(keys);
    QVERIFY(w.frame.workspace().SelectObject(keys));
    QCOMPARE(w.frame.runCommand(kZoomSelection), editing::CommandTable::Result::Ran);
    QApplication::processEvents();
    const GraphRect rect = keys->AbsoluteRect();
    const QSize view = w.viewport()->size();
    const double zoom = w.zoom();
    // Zoomed in, the scroll bars take their room from the view.
    QVERIFY(w.frame.view().horizontalScrollBar()->isVisible());
    QCOMPARE(zoom, editing::zoom::Fit(rect.Width(), rect.Height(), view.width(), view.height()));
    const QRect shown(w.frame.view().editingPanel()->mapTo(
                          w.viewport(), QPoint(qRound(rect.left * zoom), qRound(rect.top * zoom))),
                      QSize(qRound(rect.Width() * zoom), qRound(rect.Height() * zoom)));
    QVERIFY(QRect(QPoint(0, 0), view).contains(shown));
    // Centred, as far as the scroll bars go: KeyMenu sits at the screen's bottom left.
    const QScrollBar* across = w.frame.view().horizontalScrollBar();
    const QScrollBar* down = w.frame.view().verticalScrollBar();
    QVERIFY2(qAbs(shown.center().x() - view.width() / 2) <= 2 || across->value() == 0,
             qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6, scrolled %7 of %8")
                            .arg(shown.x())
                            .arg(shown.y())
                            .arg(shown.width())
                            .arg(shown.height())
                            .arg(view.width())
                            .arg(view.height())
                            .arg(across->value())
                            .arg(across->maximum())));
    QVERIFY(qAbs(shown.center().y() - view.height() / 2) <= 2 || down->value() == down->maximum());
    QVERIFY(down->value() > 0);
}

void ViewZoomTest::theMiddleButtonPans()
{
    ZoomWindow w(QSize(800, 600));
    w.frame.zoom().setZoom(editing::zoom::kMax);
    QApplication::processEvents();
    QScrollBar* across = w.frame.view().horizontalScrollBar();
    QScrollBar* down = w.frame.view().verticalScrollBar();
    across->setValue(400);
    down->setValue(300);
    SurfaceWidget* surface = w.surface();
    const QPoint from(500, 400);
    QTest::mousePress(surface, Qt::MiddleButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from - QPoint(50, 40)),
                     surface->mapToGlobal(QPointF(from - QPoint(50, 40))), Qt::NoButton,
                     Qt::MiddleButton, {});
    QApplication::sendEvent(w.viewport(), &move);
    QTest::mouseRelease(w.viewport(), Qt::MiddleButton, {},
                        w.viewport()->mapFromGlobal(surface->mapToGlobal(from - QPoint(50, 40))));
    QCOMPARE(across->value(), 450);
    QCOMPARE(down->value(), 340);
    // Nothing on the surface moved or was recorded.
    QVERIFY(!w.frame.workspace().CurrentProject()->Modified());
}

void ViewZoomTest::theRulersFollowTheZoomTheScrollingAndTheMouse()
{
    ZoomWindow w(QSize(800, 600));
    RulerWidget* top = w.frame.view().topRuler();
    RulerWidget* left = w.frame.view().leftRuler();
    QVERIFY(top->isVisible() && left->isVisible());
    QCOMPARE(top->accessibleName(), QStringLiteral("水平标尺"));
    const auto origin = [&w] {
        return w.frame.view().editingPanel()->mapTo(w.viewport(), QPoint(0, 0));
    };
    QCOMPARE(top->origin(), origin().x());
    QCOMPARE(left->origin(), origin().y());
    QCOMPARE(top->scale(), w.zoom());
    // The ruler starts where the view does.
    QCOMPARE(top->mapTo(&w.frame.view(), QPoint(0, 0)).x(),
             w.viewport()->mapTo(&w.frame.view(), QPoint(0, 0)).x());

    w.frame.zoom().setZoom(4.0);
    QApplication::processEvents();
    w.frame.view().horizontalScrollBar()->setValue(300);
    QCOMPARE(top->scale(), 4.0);
    QCOMPARE(top->origin(), origin().x());
    QVERIFY(top->origin() < 0);
    QCOMPARE(RulerWidget::tickStep(4.0), 2);
    QCOMPARE(RulerWidget::tickStep(0.25), 50);

    // The mouse over the surface is marked in device pixels.
    const QPoint over = w.surface()->mapFrom(w.viewport(), QPoint(200, 120));
    QMouseEvent move(QEvent::MouseMove, QPointF(over), w.surface()->mapToGlobal(QPointF(over)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.surface(), &move);
    QCOMPARE(top->mark(), w.surface()->scenePoint(over).x());
    QCOMPARE(left->mark(), w.surface()->scenePoint(over).y());

    QCOMPARE(w.frame.runCommand(kRulers), editing::CommandTable::Result::Ran);
    QVERIFY(!top->isVisible());
    QCOMPARE(w.viewport()->geometry().left(), w.frame.view().frameWidth());
    w.frame.actions().update();
    QVERIFY(!w.frame.actions().action(kRulers)->isChecked());
}

void ViewZoomTest::guidesComeOutOfTheRulersCatchDragsAndGoBack()
{
    ZoomWindow w(QSize(800, 600));
    VisualSurface& surface = w.frame.surface().surface();
    SurfaceWidget* widget = w.surface();
    RulerWidget* left = w.frame.view().leftRuler();
    const std::string guidesPath = w.example.projectPath() + ".guides";
    const auto inRuler = [left](QWidget* from, const QPoint& at) {
        return left->mapFromGlobal(from->mapToGlobal(at));
    };
    const double zoom = w.zoom();
    const auto viewX = [zoom](int sceneX) { return static_cast<int>(std::lround(sceneX * zoom)); };

    // Pulled out of the left ruler and let go over the surface at scene x = 30.
    const QPoint target(viewX(30) + 1, widget->height() / 2);
    QTest::mousePress(left, Qt::LeftButton, {}, QPoint(10, 40));
    QTest::mouseMove(left, inRuler(widget, target - QPoint(20, 0)));
    QTest::mouseMove(left, inRuler(widget, target));
    QTest::mouseRelease(left, Qt::LeftButton, {}, inRuler(widget, target));
    const int placed = widget->scenePoint(target).x();
    QCOMPARE(surface.UserGuides(), (std::vector<GuideLine>{{true, placed}}));
    QVERIFY(platform::isFile(guidesPath));
    QVERIFY(!w.frame.workspace().CurrentProject()->Modified());

    // A drawable dragged to within two pixels of it lands on it.
    Graph* moved = nullptr;
    for (Graph* graph : surface.Objects()) {
        if (surface.MayMove(graph) && graph->Envelop().left > placed + 10) {
            moved = graph;
            break;
        }
    }
    QVERIFY(moved);
    const GraphRect start = moved->Envelop();
    const QPoint grab(viewX(start.left) + 2, viewX(start.top) + 2);
    const QPoint drop = grab - QPoint(viewX(start.left - placed - 2), 0);
    QTest::mousePress(widget, Qt::LeftButton, {}, grab);
    QTest::mouseMove(widget, (grab + drop) / 2);
    QTest::mouseMove(widget, drop);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, drop);
    QCOMPARE(moved->Envelop().left, placed);
    w.frame.runCommand(kUndo);
    QCOMPARE(moved->Envelop(), start);

    // Double-clicked, it takes a typed position.
    whenDialogShows<QInputDialog>([](QInputDialog& dialog) {
        dialog.setIntValue(77);
        dialog.accept();
    });
    const QPoint onGuide(viewX(placed) + 1, widget->height() - 5);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, onGuide);
    QCOMPARE(surface.UserGuides(), (std::vector<GuideLine>{{true, 77}}));

    // Dragged back onto the ruler, it goes, and so does the file.
    const QPoint at77(viewX(77) + 1, widget->height() - 5);
    QTest::mousePress(widget, Qt::LeftButton, {}, at77);
    QTest::mouseMove(widget, widget->mapFromGlobal(left->mapToGlobal(QPoint(8, 60))));
    QTest::mouseRelease(widget, Qt::LeftButton, {},
                        widget->mapFromGlobal(left->mapToGlobal(QPoint(8, 60))));
    QVERIFY(surface.UserGuides().empty());
    QVERIFY(!platform::pathExists(guidesPath));

    // 视图 → 参考线 hides them, and nothing catches on them while hidden.
    surface.SetUserGuides({{true, 40}});
    QCOMPARE(w.frame.runCommand(kGuides), editing::CommandTable::Result::Ran);
    QVERIFY(!surface.UserGuidesShown());
    QCOMPARE(surface.UserGuideAt(40, 5), -1);
    w.frame.actions().update();
    QVERIFY(!w.frame.actions().action(kGuides)->isChecked());
}

QTEST_MAIN(ViewZoomTest)
#include "ViewZoomTest.moc"
