// The map's item classes: colours and mouse states of gene strokes, hit
// areas, operon bands, arrows and the wheel steps of the genome view.
#include "ArrowItem.h"
#include "GeneLine.h"
#include "GlobalView.h"
#include "OperonsScene.h"
#include "QGraOperonItem.h"
#include "support/ViewsFixtures.h"

#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

class TestGraphicsItems : public QObject
{
    Q_OBJECT

    static void sendHover(QGraphicsScene &scene, QGraphicsItem *item, QEvent::Type type)
    {
        QGraphicsSceneHoverEvent event(type);
        scene.sendEvent(item, &event);
    }

    static void sendRelease(QGraphicsScene &scene, QGraphicsItem *item)
    {
        QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMouseRelease);
        event.setButton(Qt::LeftButton);
        scene.sendEvent(item, &event);
    }

private slots:
    void geneLineTakesGeneColourAndFlags()
    {
        GeneLine even(0, 0, 10, 0, 4);
        GeneLine odd(0, 0, 10, 0, 7);
        QCOMPARE(even.color(), QColor(255, 85, 0));
        QCOMPARE(odd.color(), QColor(15, 15, 255));
        QCOMPARE(even.type(), int(QGraphicsLineItem::Type));
        QVERIFY(even.flags() & QGraphicsItem::ItemIsSelectable);
        QVERIFY(even.acceptHoverEvents());
        QCOMPARE(even.cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!even.savedColor.isValid());

        // A new index is stored but does not recolour.
        even.setGeneIndex(7);
        QCOMPARE(even.geneIndex, 7);
        QCOMPARE(even.color(), QColor(255, 85, 0));
    }

    void setLineKeepsEndPointsInStep()
    {
        GeneLine line(1, 2, 3, 4, 0);
        QCOMPARE(line.line(), QLineF(1, 2, 3, 4));
        line.setLine(-5, 6, 7, -8);
        QCOMPARE(line.x1, -5.0);
        QCOMPARE(line.y2, -8.0);
        QCOMPARE(line.line(), QLineF(-5, 6, 7, -8));
    }

    void hoverLightsGreenAndClickTurnsBlack()
    {
        OperonsScene scene;
        auto *line = new GeneLine(0, 0, 10, 0, 1);
        scene.addItem(line);

        sendHover(scene, line, QEvent::GraphicsSceneHoverEnter);
        QCOMPARE(line->color(), QColor(19, 255, 3));
        QCOMPARE(line->savedColor, QColor(15, 15, 255));
        sendHover(scene, line, QEvent::GraphicsSceneHoverLeave);
        QCOMPARE(line->color(), QColor(15, 15, 255));

        sendRelease(scene, line);
        QCOMPARE(line->color(), QColor(Qt::black));
        QVERIFY(line->isSelected());

        // A clicked gene stays black under the mouse and after it.
        sendHover(scene, line, QEvent::GraphicsSceneHoverEnter);
        QCOMPARE(line->color(), QColor(Qt::black));
        sendHover(scene, line, QEvent::GraphicsSceneHoverLeave);
        QCOMPARE(line->color(), QColor(Qt::black));
    }

    void orangeGeneAlsoLightsGreen()
    {
        OperonsScene scene;
        auto *line = new GeneLine(0, 0, 0, 10, 2);
        scene.addItem(line);
        sendHover(scene, line, QEvent::GraphicsSceneHoverEnter);
        QCOMPARE(line->color(), QColor(19, 255, 3));
        sendHover(scene, line, QEvent::GraphicsSceneHoverLeave);
        QCOMPARE(line->color(), QColor(255, 85, 0));
    }

    void boundingRectIsNormalisedAndGrown()
    {
        // Base pen width 0: grown by 0.1 on every side.
        GeneLine line(10, 5, 0, 0, 0);
        const QRectF r = line.boundingRect();
        QVERIFY(qAbs(r.left() + 0.1) < 1e-9);
        QVERIFY(qAbs(r.top() + 0.1) < 1e-9);
        QVERIFY(qAbs(r.width() - 10.2) < 1e-9);
        QVERIFY(qAbs(r.height() - 5.2) < 1e-9);
    }

    void hitShapeFollowsTheStroke_data()
    {
        QTest::addColumn<QLineF>("stroke");
        QTest::addColumn<QPointF>("inside");
        QTest::addColumn<QPointF>("outside");
        // Half-width of the hit area is 0.02 with the thin base pen.
        QTest::newRow("horizontal") << QLineF(0, 0, 10, 0) << QPointF(5, 0.01) << QPointF(5, 0.05);
        QTest::newRow("horizontal near start") << QLineF(0, 0, 10, 0) << QPointF(0.5, -0.01) << QPointF(-0.5, 0);
        QTest::newRow("vertical") << QLineF(3, 0, 3, 10) << QPointF(3.01, 5) << QPointF(3.05, 5);
        QTest::newRow("vertical downwards") << QLineF(3, 10, 3, 0) << QPointF(2.99, 9) << QPointF(3, 10.5);
        QTest::newRow("diagonal") << QLineF(0, 0, 10, 10) << QPointF(5.005, 4.995) << QPointF(5.1, 4.9);
        QTest::newRow("leftwards") << QLineF(10, 2, 0, 2) << QPointF(7.5, 2.01) << QPointF(7.5, 2.1);
    }

    void hitShapeFollowsTheStroke()
    {
        QFETCH(QLineF, stroke);
        QFETCH(QPointF, inside);
        QFETCH(QPointF, outside);
        GeneLine line(stroke.x1(), stroke.y1(), stroke.x2(), stroke.y2(), 0);
        const QPainterPath shape = line.shape();
        QVERIFY(shape.contains(inside));
        QVERIFY(!shape.contains(outside));
        // The middle of the stroke is part of the hit area.
        QVERIFY(shape.contains(stroke.center()));
        QVERIFY(line.contains(stroke.center()));
    }

    void zeroLengthStrokeMatchesNothing()
    {
        GeneLine line(4, 4, 4, 4, 0);
        QVERIFY(!line.shape().contains(QPointF(4, 4)));
        QVERIFY(!line.shape().contains(QPointF(4.01, 4)));
        QVERIFY(line.shape().boundingRect().width() * line.shape().boundingRect().height() < 1e-12);
    }

    void operonItemIsItsPolygon()
    {
        const QPolygonF band({{0, 0}, {0, 10}, {20, 10}, {20, 0}});
        QGraOperonItem item(band);
        QCOMPARE(item.type(), int(QGraphicsPolygonItem::Type));
        QVERIFY(item.flags() & QGraphicsItem::ItemIsSelectable);
        QVERIFY(!item.acceptHoverEvents());
        QCOMPARE(item.cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(item.shape().contains(QPointF(10, 5)));
        QVERIFY(!item.shape().contains(QPointF(25, 5)));
        QCOMPARE(item.polygon(), band);
    }

    void operonItemReportsRelease()
    {
        OperonsScene scene;
        auto *item = new QGraOperonItem(QPolygonF({{0, 0}, {0, 10}, {20, 10}}));
        scene.addItem(item);
        QTest::ignoreMessage(QtDebugMsg, "operon item release");
        sendRelease(scene, item);
    }

    void arrowNeverBecomesSelected()
    {
        OperonsScene scene;
        auto *arrow = new ArrowItem(QPolygonF({{0, 0}, {1, 1}, {1, -1}}));
        scene.addItem(arrow);
        QSignalSpy changed(&scene, &QGraphicsScene::selectionChanged);
        arrow->setSelected(true);
        QVERIFY(!arrow->isSelected());
        QVERIFY(scene.selectedItems().isEmpty());
        QCOMPARE(changed.count(), 0);
    }

    void wheelTurnsBecomeZoomSteps_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("steps");
        QTest::newRow("two notches up") << 240 << 2;
        QTest::newRow("one notch down") << -120 << -1;
        QTest::newRow("half a notch") << 60 << 0;
        QTest::newRow("one and a half down") << -180 << -1;
    }

    void wheelTurnsBecomeZoomSteps()
    {
        QFETCH(int, delta);
        QFETCH(int, steps);
        QGraphicsScene scene(-5000, -5000, 10000, 10000);
        GlobalView view;
        view.setScene(&scene);
        view.resize(300, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.centerOn(0, 0);
        const int v = view.verticalScrollBar()->value();
        const int h = view.horizontalScrollBar()->value();

        QSignalSpy spy(&view, &GlobalView::global_scale);
        const QPointF at(150, 150);
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toInt(), steps);
        QVERIFY(event.isAccepted());
        // The wheel never scrolls the view.
        QCOMPARE(view.verticalScrollBar()->value(), v);
        QCOMPARE(view.horizontalScrollBar()->value(), h);
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestGraphicsItems)
#include "tst_graphicsitems.moc"
