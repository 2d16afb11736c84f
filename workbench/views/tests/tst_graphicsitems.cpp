// The map's item classes: hit areas of genes and operons, labels beside
// their anchors, arrows and the wheel steps of the genome view.
#include "ArrowItem.h"
#include "MapItems.h"
#include "GlobalView.h"
#include "OperonsScene.h"
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
    void featureDrawsOnlyWhenHoveredOrSelected()
    {
        OperonsScene scene;
        QPainterPath square;
        square.addRect(0, 0, 10, 10);
        auto *feature = new MapFeature(square, MapFeature::Gene, 4, 4);
        scene.addItem(feature);
        QVERIFY(feature->flags() & QGraphicsItem::ItemIsSelectable);
        QCOMPARE(feature->data(0).toInt(), 4);
        QVERIFY(!feature->isHighlighted());
        sendHover(scene, feature, QEvent::GraphicsSceneHoverEnter);
        QVERIFY(feature->isHighlighted());
        sendHover(scene, feature, QEvent::GraphicsSceneHoverLeave);
        QVERIFY(!feature->isHighlighted());
        feature->setSelected(true);
        QVERIFY(feature->isHighlighted());
    }

    void labelSitsBesideItsAnchor_data()
    {
        QTest::addColumn<QPointF>("direction");
        QTest::newRow("outwards to the right") << QPointF(1, 0);
        QTest::newRow("inwards from the top") << QPointF(0, 1);
        QTest::newRow("diagonal") << QPointF(-0.6, -0.8);
    }
    void labelSitsBesideItsAnchor()
    {
        QFETCH(QPointF, direction);
        MapLabel label("thrL", QFont("Sans Serif", 8), direction, 3);
        QVERIFY(label.flags() & QGraphicsItem::ItemIgnoresTransformations);
        const QRectF r = label.pixelRect();
        // Never over the anchor, and on the side the direction points to.
        QVERIFY(!r.contains(QPointF(0, 0)));
        QVERIFY(QPointF::dotProduct(r.center(), direction) > 0);
        MapLabel centred("title", QFont("Sans Serif", 8), QPointF(0, 0), 0);
        QVERIFY(qAbs(centred.pixelRect().center().x()) < 1e-9);
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
