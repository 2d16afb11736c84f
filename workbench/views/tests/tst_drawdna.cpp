// The DNA line window: ruler, lanes, gene bars with arrowheads, labels,
// operon brackets and strand-end labels, drawn offscreen.
#include "DrawDNA.h"

#include <QApplication>
#include <QGraphicsLineItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QRandomGenerator>
#include <QtTest>

#include <vector>

namespace {

// One stretch of genes as the caller hands it over.
struct Stretch {
    std::vector<int> counts;
    QStringList names;
    QStringList synonyms;
    QString strands;
    std::vector<int> starts;
    std::vector<int> ends;

    void draw(DrawDNA& dna)
    {
        dna.drawDNALine(counts.data(), names, synonyms, int(counts.size()), strands,
                        starts.data(), ends.data());
    }
};

// Operons of 3 and 1 genes: a, b, c forward, d reverse.
Stretch threeAndOne()
{
    return Stretch{{3, 1},
                   {"thrL", "thrA", "thrB", "yaaA"},
                   {"b0001", "b0002", "b0003", "b0006"},
                   "+++-",
                   {1000, 2600, 3100, 5000},
                   {2500, 3000, 4000, 5800}};
}

QList<QGraphicsTextItem*> texts(QGraphicsScene* scene)
{
    QList<QGraphicsTextItem*> out;
    for (QGraphicsItem* item : scene->items(Qt::AscendingOrder))
        if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item))
            out << text;
    return out;
}

QGraphicsTextItem* textItem(QGraphicsScene* scene, const QString& text)
{
    for (QGraphicsTextItem* item : texts(scene))
        if (item->toPlainText() == text)
            return item;
    return nullptr;
}

QGraphicsLineItem* lineItem(QGraphicsScene* scene, const QLineF& line)
{
    for (QGraphicsItem* item : scene->items())
        if (auto* l = qgraphicsitem_cast<QGraphicsLineItem*>(item))
            if (l->line() == line)
                return l;
    return nullptr;
}

QList<QGraphicsPolygonItem*> polygons(QGraphicsScene* scene)
{
    QList<QGraphicsPolygonItem*> out;
    for (QGraphicsItem* item : scene->items(Qt::AscendingOrder))
        if (auto* p = qgraphicsitem_cast<QGraphicsPolygonItem*>(item))
            out << p;
    return out;
}

// Emits the signal the main window uses to reach the view.
class Sender : public QObject {
    Q_OBJECT
signals:
    void drawDNALine(int*, QStringList, QStringList, int, QString, int*, int*);
};

} // namespace

class TstDrawDna : public QObject {
    Q_OBJECT

private slots:
    void windowAndSlotSignature()
    {
        DrawDNA dna;
        QCOMPARE(dna.windowTitle(), QString("DNA Line"));
        QCOMPARE(QString(dna.metaObject()->className()), QString("DrawDNA"));
        QVERIFY(dna.findChild<QGridLayout*>("gridLayout"));
        QVERIFY(dna.findChild<QGraphicsView*>("graphicsView"));
        QVERIFY(dna.metaObject()->indexOfSlot(
                    "drawDNALine(int*,QStringList,QStringList,int,QString,int*,int*)") >= 0);

        // The main window connects by signature; the slot must be reachable so.
        Sender sender;
        QVERIFY(QObject::connect(
            &sender, SIGNAL(drawDNALine(int*,QStringList,QStringList,int,QString,int*,int*)),
            &dna, SLOT(drawDNALine(int*,QStringList,QStringList,int,QString,int*,int*))));
        Stretch s = threeAndOne();
        emit sender.drawDNALine(s.counts.data(), s.names, s.synonyms, 2, s.strands,
                                s.starts.data(), s.ends.data());
        QCOMPARE(dna.operonCount(), 2);
        QCOMPARE(dna.geneLabels(), s.names);
        QCOMPARE(dna.strands(), QString("+++-"));
        QVERIFY(dna.view()->scene() == dna.scene());
        QCOMPARE(dna.scene()->itemIndexMethod(), QGraphicsScene::NoIndex);
        QCOMPARE(dna.view()->dragMode(), QGraphicsView::ScrollHandDrag);
    }

    void operonsOfThreeAndOne()
    {
        DrawDNA dna;
        dna.setRandomSeed(42);
        Stretch s = threeAndOne();
        s.draw(dna);
        QGraphicsScene* scene = dna.scene();

        // Gene labels numbered 1 to 4, name/synonym, on alternating lanes.
        const int lanes[] = {80, 110, 80, 110};
        for (int g = 0; g < 4; ++g) {
            const QString text = QString("  %1:%2/%3").arg(g + 1).arg(s.names[g], s.synonyms[g]);
            QGraphicsTextItem* label = textItem(scene, text);
            QVERIFY2(label, qPrintable(text));
            QCOMPARE(label->pos(), QPointF(s.starts[g] / 10 - 15, lanes[g]));
            QVERIFY(label->flags() & QGraphicsItem::ItemIsSelectable);
        }
        // The three-gene operon's labels: black, first operon's font.
        QGraphicsTextItem* first = textItem(scene, "  1:thrL/b0001");
        QCOMPARE(first->defaultTextColor(), QColor(Qt::black));
        QCOMPARE(first->font().family(), QString("Khmer UI"));
        QCOMPARE(first->font().pointSize(), 8);

        // One bracket, under the first operon only, numbered 1.
        QVERIFY(textItem(scene, "Operon[1]"));
        QVERIFY(!textItem(scene, "Operon[2]"));
        QCOMPARE(textItem(scene, "Operon[1]")->pos(), QPointF((1000 + 4000) / 20 - 25, 140));
        QVERIFY(lineItem(scene, QLineF(100, 140, 400, 140)));
        QVERIFY(lineItem(scene, QLineF(100, 135, 100, 145)));
        QVERIFY(lineItem(scene, QLineF(400, 135, 400, 145)));

        // The single gene's label takes its colour from the random source:
        // red, green and blue drawn in that order, each modulo 256.
        QRandomGenerator expected(42);
        const int r = int(expected.generate() % 256);
        const int g = int(expected.generate() % 256);
        const int b = int(expected.generate() % 256);
        QGraphicsTextItem* single = textItem(scene, "  4:yaaA/b0006");
        QCOMPARE(single->defaultTextColor(), QColor(r, g, b));
        QCOMPARE(single->font().family(), QString("Times"));

        // The same seed draws the same colour again.
        DrawDNA again;
        again.setRandomSeed(42);
        s.draw(again);
        QCOMPARE(textItem(again.scene(), "  4:yaaA/b0006")->defaultTextColor(), QColor(r, g, b));
    }

    void injectedRandomSource()
    {
        DrawDNA dna;
        QList<quint32> values{10, 300, 511};
        dna.setRandomSource([&values] { return values.takeFirst(); });
        Stretch s = threeAndOne();
        s.draw(dna);
        QCOMPARE(textItem(dna.scene(), "  4:yaaA/b0006")->defaultTextColor(), QColor(10, 44, 255));
        QVERIFY(values.isEmpty()); // three draws for the one single-gene operon
    }

    void forwardGeneBar()
    {
        DrawDNA dna;
        Stretch s{{1}, {"abcA"}, {"x0001"}, "+", {1000}, {2500}};
        s.draw(dna);
        QGraphicsLineItem* bar = lineItem(dna.scene(), QLineF(100, 80, 250, 80));
        QVERIFY(bar);
        QCOMPARE(bar->pen().color(), QColor(Qt::red));
        QCOMPARE(bar->pen().widthF(), 7.0);
        QCOMPARE(bar->pen().capStyle(), Qt::FlatCap);
        QCOMPARE(bar->pen().joinStyle(), Qt::MiterJoin);

        const QList<QGraphicsPolygonItem*> heads = polygons(dna.scene());
        QCOMPARE(heads.size(), 1);
        const QPolygonF head = heads[0]->polygon();
        QCOMPARE(head, QPolygonF({QPointF(250, 77), QPointF(250, 83), QPointF(255, 80)}));
        QCOMPARE(head.boundingRect().right(), 255.0);
        QCOMPARE(heads[0]->brush().color(), QColor(Qt::red));
        QCOMPARE(heads[0]->brush().style(), Qt::SolidPattern);
        QVERIFY(heads[0]->pen().isCosmetic());
    }

    void reverseGeneArrowheadPointsLeft()
    {
        DrawDNA dna;
        // Gene 2 (odd number 1) is reverse and lies on the lower lane.
        Stretch s{{1, 1}, {"a", "b"}, {"s1", "s2"}, "+-", {1000, 3000}, {2500, 4000}};
        s.draw(dna);
        QGraphicsLineItem* bar = lineItem(dna.scene(), QLineF(300, 110, 400, 110));
        QVERIFY(bar);
        QCOMPARE(bar->pen().color(), QColor(Qt::green));

        QGraphicsPolygonItem* head = nullptr;
        for (QGraphicsPolygonItem* p : polygons(dna.scene()))
            if (p->brush().color() == QColor(Qt::green))
                head = p;
        QVERIFY(head);
        QCOMPARE(head->polygon(),
                 QPolygonF({QPointF(300, 107), QPointF(295, 110), QPointF(300, 113)}));
        QCOMPARE(head->polygon().boundingRect().left(), 295.0);
    }

    void rulerExtentAndStrandEnds()
    {
        DrawDNA dna;
        Stretch s = threeAndOne();
        s.draw(dna);
        QGraphicsScene* scene = dna.scene();
        // The stretch ends with its last gene at 5800 bp.
        QCOMPARE(scene->sceneRect(), QRectF(-100, -100, 580 + 600, 500));
        QVERIFY(lineItem(scene, QLineF(20, 35, 680, 35)));
        for (int t = 0; t < 5; ++t) {
            QGraphicsTextItem* tick = textItem(scene, QString("  %1").arg(1000 * t));
            QVERIFY2(tick, qPrintable(QString::number(t)));
            QCOMPARE(tick->pos(), QPointF(20 + 100 * t, 30));
            QVERIFY(lineItem(scene, QLineF(20 + 100 * t, 35, 20 + 100 * t, 45)));
        }
        QVERIFY(!textItem(scene, "  5000"));

        QGraphicsTextItem* three = textItem(scene, "3'");
        QGraphicsTextItem* five = textItem(scene, "5'");
        QVERIFY(three && five);
        // The forward strand's 5' end is on the left, where positions start.
        QCOMPARE(five->pos(), QPointF(20, 40));
        QCOMPARE(three->pos(), QPointF(680, 40));
        QCOMPARE(five->font().pointSize(), 7);
    }

    void bracketsAlternateHeightAndFont()
    {
        DrawDNA dna;
        dna.setRandomSeed(1);
        // Operons of 2, 1, 2 and 2 genes: brackets 1, 2, 3 at heights 140,
        // 160, 140; the single gene changes nothing.
        Stretch s{{2, 1, 2, 2},
                  {"a", "b", "c", "d", "e", "f", "g"},
                  {"1", "2", "3", "4", "5", "6", "7"},
                  "++-++--",
                  {1000, 2000, 3000, 4000, 5000, 6000, 7000},
                  {1900, 2900, 3900, 4900, 5900, 6900, 7900}};
        s.draw(dna);
        QGraphicsScene* scene = dna.scene();
        QCOMPARE(textItem(scene, "Operon[1]")->pos().y(), 140.0);
        QCOMPARE(textItem(scene, "Operon[2]")->pos().y(), 160.0);
        QCOMPARE(textItem(scene, "Operon[3]")->pos().y(), 140.0);
        QVERIFY(lineItem(scene, QLineF(400, 160, 590, 160)));
        // Operon 2 (odd) and 3 (even) use different label fonts.
        QCOMPARE(textItem(scene, "  4:d/4")->font().family(), QString("Khmer UI"));
        QCOMPARE(textItem(scene, "  6:f/6")->font().family(), QString("Italic"));
        QCOMPARE(textItem(scene, "  7:g/7")->pos().y(), 80.0);
    }

    void geneAcrossTheOrigin()
    {
        DrawDNA dna;
        Stretch s{{1}, {"ori"}, {"x"}, "+", {9000}, {500}};
        s.draw(dna);
        QVERIFY(lineItem(dna.scene(), QLineF(900, 80, 950, 80)));
        // The ruler runs to start + end; the scene covers it.
        QVERIFY(lineItem(dna.scene(), QLineF(20, 35, 1050, 35)));
        QVERIFY(dna.scene()->sceneRect().right() >= 1050);
    }

    void eachCallReplacesThePreviousDrawing()
    {
        DrawDNA dna;
        Stretch s = threeAndOne();
        s.draw(dna);
        Stretch one{{1}, {"z"}, {"sz"}, "-", {100}, {900}};
        one.draw(dna);
        QVERIFY(!textItem(dna.scene(), "Operon[1]"));
        QVERIFY(!textItem(dna.scene(), "  2:thrA/b0002"));
        QVERIFY(textItem(dna.scene(), "  1:z/sz"));
        QCOMPARE(polygons(dna.scene()).size(), 1);
        QCOMPARE(dna.operonCount(), 1);
    }

    void inconsistentInputDoesNotCrash()
    {
        DrawDNA dna;
        // Texts and strands shorter than the genes: missing texts are empty,
        // a missing strand draws a reverse gene.
        Stretch s{{2}, {"a"}, {}, "+", {1000, 2000}, {1500, 2500}};
        s.draw(dna);
        QVERIFY(textItem(dna.scene(), "  2:/"));
        QVERIFY(lineItem(dna.scene(), QLineF(200, 110, 250, 110))->pen().color() ==
                QColor(Qt::green));

        // Empty operons and no genes at all: only the ruler stub and the ends.
        std::vector<int> zero{0, 0};
        dna.drawDNALine(zero.data(), {}, {}, 2, QString(), nullptr, nullptr);
        QVERIFY(textItem(dna.scene(), "3'"));
        QCOMPARE(polygons(dna.scene()).size(), 0);
        dna.drawDNALine(nullptr, {}, {}, 0, QString(), nullptr, nullptr);
        QVERIFY(textItem(dna.scene(), "5'"));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TstDrawDna test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_drawdna.moc"
