#include "SurfaceDemo.h"

#include "editing/UndoHistory.h"

#include <QtTest>

// Editing the example project's first scene with the mouse and the keyboard on the widget.
class SurfaceEditingTest : public QObject
{
    Q_OBJECT

private:
    static GraphRect envelope(SnapShotItem* element) { return element->OwnGraph()->Envelop(); }

private slots:
    void dragMovesByExactlyTheDistanceAsOneRecordThatUndoes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("by");
        QTest::newRow("picture") << "BatteryIcon" << 1.0 << QPoint(-37, 21);
        QTest::newRow("text") << "AppTitle" << 1.0 << QPoint(9, 15);
        QTest::newRow("zoomed picture") << "BatteryIcon" << 2.0 << QPoint(-20, 14);
    }
    void dragMovesByExactlyTheDistanceAsOneRecordThatUndoes()
    {
        QFETCH(QString, name);
        QFETCH(double, zoom);
        QFETCH(QPoint, by);
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        demo.editor.Scale(zoom);
        demo.editor.OnSize(0, 700, 520);
        SnapShotItem* element = demo.find(name.toStdString());
        QVERIFY(element);
        const SnapItemInfo before = *element->AttrBlock();
        const GraphRect placed = envelope(element);
        const QPoint at = demo.widget()->scenePoint(demo.centre(*element->OwnGraph()));
        Graph* top = demo.editor.surface().ObjectAt(at.x(), at.y());
        auto* topElement = dynamic_cast<SnapShotItem*>(top);
        QVERIFY2(top == element->OwnGraph(), topElement ? topElement->Name().c_str() : "none");

        demo.drag(demo.centre(*element->OwnGraph()), by);

        const int dx = static_cast<int>(by.x() / zoom);
        const int dy = static_cast<int>(by.y() / zoom);
        QCOMPARE(int(element->AttrBlock()->x), before.x + dx);
        QCOMPARE(int(element->AttrBlock()->y), before.y + dy);
        QCOMPARE(int(element->AttrBlock()->width), int(before.width));
        QVERIFY(envelope(element) == placed.Offset(dx, dy));
        QCOMPARE(demo.project->History().size(), std::size_t{1});
        QCOMPARE(demo.sink.batches().size(), std::size_t{2}); // the click, the change
        QVERIFY(demo.sink.batches().back().Modifies());
        QVERIFY(element->OwnGraph()->IsSelected());
        QVERIFY(element->ParentGraph()->IsSelected());
        QCOMPARE(demo.ws.Selection().Element(), element);

        QVERIFY(editing::Undo(*demo.project));
        QCOMPARE(int(element->AttrBlock()->x), int(before.x));
        QCOMPARE(int(element->AttrBlock()->y), int(before.y));
        QVERIFY(envelope(element) == placed);
    }

    void arrowKeysNudgeByOnePixelEach()
    {
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        SnapShotItem* element = demo.find("BatteryIcon");
        QVERIFY(element);
        const SnapItemInfo before = *element->AttrBlock();
        QTest::mouseClick(demo.widget(), Qt::LeftButton, Qt::NoModifier,
                          demo.centre(*element->OwnGraph()));
        QTest::keyClick(demo.widget(), Qt::Key_Left);
        QTest::keyClick(demo.widget(), Qt::Key_Left);
        QTest::keyClick(demo.widget(), Qt::Key_Down);
        QCOMPARE(int(element->AttrBlock()->x), before.x - 2);
        QCOMPARE(int(element->AttrBlock()->y), before.y + 1);
        QCOMPARE(demo.project->History().size(), std::size_t{3});
    }

    void resizeWorksOnlyWhereAllowed()
    {
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        SnapShotItem* bar = demo.find("StatusBar");
        SnapShotItem* panel = demo.find("ClockPanel"); // locked in the project: no resizing
        QVERIFY(bar && panel);
        auto select = [&](Graph* graph) {
            demo.editor.ClearSelectedObj();
            graph->SetSelected(true);
        };
        auto grip = [](Graph* graph) {
            return QPoint(graph->Envelop().right, graph->Envelop().bottom);
        };
        Graph* barGraph = bar->OwnGraph();
        Graph* panelGraph = panel->OwnGraph();
        const GraphRect barPlaced = barGraph->Envelop();
        const GraphRect panelPlaced = panelGraph->Envelop();

        // Allowed: the bottom-right grip makes the bar 12 narrower and 8 taller, one record.
        select(barGraph);
        demo.drag(grip(barGraph), QPoint(-12, 8));
        QCOMPARE(int(bar->AttrBlock()->width), barPlaced.Width() - 12);
        QCOMPARE(int(bar->AttrBlock()->height), barPlaced.Height() + 8);
        QCOMPARE(demo.project->History().size(), std::size_t{1});
        QVERIFY(editing::Undo(*demo.project));
        QVERIFY(barGraph->Envelop() == barPlaced);

        // Not resizeable: no grip is offered and the size stays.
        QVERIFY(!panelGraph->IsResizeable());
        select(panelGraph);
        Graph* offered = nullptr;
        QCOMPARE(
            demo.editor.surface().HandleAt(grip(panelGraph).x(), grip(panelGraph).y(), &offered),
            -1);
        demo.drag(grip(panelGraph) - QPoint(1, 1), QPoint(-12, -8));
        QCOMPARE(panelGraph->Envelop().Width(), panelPlaced.Width());
        QCOMPARE(panelGraph->Envelop().Height(), panelPlaced.Height());
        QCOMPARE(int(panel->AttrBlock()->width), panelPlaced.Width());

        // Fixed: neither a grip nor a move.
        barGraph->SetFixed(true);
        select(barGraph);
        QCOMPARE(demo.editor.surface().HandleAt(grip(barGraph).x(), grip(barGraph).y(), &offered),
                 -1);
        demo.drag(grip(barGraph) - QPoint(1, 1), QPoint(-12, 8));
        demo.drag(QPoint(150, 12), QPoint(5, 5));
        QVERIFY(barGraph->Envelop() == barPlaced);
        QCOMPARE(int(bar->AttrBlock()->height), barPlaced.Height());
    }

    void snappingCatchesTheScreenEdgeUnlessShiftIsHeld()
    {
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        SnapShotItem* element = demo.find("BatteryIcon");
        QVERIFY(element);
        Graph* graph = element->OwnGraph();
        // 6 + 12 = 18: moved down by 219 its bottom edge is 3 short of the screen's 240,
        // far from every shown sibling's edges and centres.
        const QPoint from = demo.centre(*graph);
        demo.drag(from, QPoint(0, 219), true);
        QCOMPARE(graph->Envelop().bottom, 240);
        QVERIFY(editing::Undo(*demo.project));
        demo.drag(from, QPoint(0, 219), false);
        QCOMPARE(graph->Envelop().bottom, 237);
    }

    void cursorCoordinatesAreSceneCoordinates()
    {
        SurfaceDemo demo;
        QVERIFY2(demo.error.empty(), demo.error.c_str());
        demo.editor.Scale(2.0);
        demo.editor.OnSize(0, 700, 520);
        QSignalSpy spy(&demo.editor, &QtVisualEditor::cursorMoved);
        QMouseEvent move(QEvent::MouseMove, QPointF(101, 51), QPointF(101, 51), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(demo.widget(), &move);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 50);
        QCOMPARE(spy.at(0).at(1).toInt(), 25);
    }
};

QTEST_MAIN(SurfaceEditingTest)
#include "SurfaceEditingTest.moc"
