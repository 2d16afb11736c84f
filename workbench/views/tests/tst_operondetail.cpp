// The operon detail view: ruler, gene arrows and labels, promoter and
// terminator glyphs, the choice of the unit to draw, and its zoom.
#include "OperonDetail.h"
#include "OperonTree.h"
#include "support/ViewsFixtures.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsTextItem>
#include <QPointer>
#include <cmath>

using namespace viewsfixtures;

namespace {

template <typename T>
QList<T *> itemsOf(QGraphicsScene *scene)
{
    QList<T *> found;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder))
        if (auto *t = dynamic_cast<T *>(item); t && item->type() == T::Type)
            found << t;
    return found;
}

QList<QGraphicsPolygonItem *> geneArrowsOf(QGraphicsScene *scene)
{
    QList<QGraphicsPolygonItem *> arrows;
    for (QGraphicsPolygonItem *p : itemsOf<QGraphicsPolygonItem>(scene))
        if (p->brush().color() == QColor(Qt::cyan) || p->brush().color() == QColor(Qt::yellow))
            arrows << p;
    return arrows;
}

QList<QGraphicsLineItem *> linesWithPen(QGraphicsScene *scene, const QColor &colour)
{
    QList<QGraphicsLineItem *> lines;
    for (QGraphicsLineItem *l : itemsOf<QGraphicsLineItem>(scene))
        if (l->pen().color() == colour)
            lines << l;
    return lines;
}

QList<QLineF> linesOf(const QList<QGraphicsLineItem *> &items)
{
    QList<QLineF> lines;
    for (const QGraphicsLineItem *item : items)
        lines << item->line();
    return lines;
}

// A 10 000 bp genome of one unit of two genes.
ProjectModel twoGeneUnit(const GeneEntry &first, const GeneEntry &second)
{
    ProjectModel m;
    m.genomeLength = 10000;
    m.genes << first << second;
    addUnit(m, 0, 1, {0, 1});
    return m;
}

// A project of one unit of two "-" genes with a promoter and a terminator.
ProjectModel reverseProject()
{
    ProjectModel m;
    m.genomeLength = 50000;
    m.genes << gene(5000, 5600, "-", "revA", "r1") << gene(5700, 6500, "-", "revB", "r2");
    addUnit(m, 0, 1, {0, 1});
    PromoterEntry p;
    p.start = -100;
    p.end = -50;
    p.score = 1.5;
    p.firstBox = "TTGACA";
    p.secondBox = "TATAAT";
    m.promoterMap.insert("r2", p);
    TerminatorEntry t;
    t.start = 10;
    t.totalLength = 30;
    t.sequence = "GGGCCC";
    t.score = 5.0;
    m.terminatorMap.insert("r1", t);
    return m;
}

} // namespace

class TestOperonDetail : public QObject
{
    Q_OBJECT

private slots:
    void rulerOfAUnitFrom1234To2000()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        QGraphicsScene *scene = h.drawUnit(0);
        QCOMPARE(scene->sceneRect(), QRectF(0, 0, 700, 600));

        QStringList labels;
        QList<QPointF> labelPositions;
        for (QGraphicsTextItem *t : itemsOf<QGraphicsTextItem>(scene))
            if (t->toPlainText().startsWith(' ')) {
                labels << t->toPlainText();
                labelPositions << t->pos();
                QVERIFY(!(t->flags() & QGraphicsItem::ItemIsSelectable));
            }
        QCOMPARE(labels, QStringList({" 500", " 1000", " 1500", " 2000", " 2500"}));
        QCOMPARE(labelPositions.first(), QPointF(100, 229));
        QCOMPARE(labelPositions.last(), QPointF(500, 229));

        int axis = 0, major = 0, minor = 0;
        for (QGraphicsLineItem *l : itemsOf<QGraphicsLineItem>(scene)) {
            const QLineF line = l->line();
            if (line == QLineF(100, 240, 500, 240))
                ++axis;
            else if (line.y1() == 242 && line.y2() == 230)
                ++major;
            else if (line.y1() == 240 && line.y2() == 238)
                ++minor;
        }
        QCOMPARE(axis, 1);
        QCOMPARE(major, 5);
        QCOMPARE(minor, 36);

        const QList<QGraphicsPolygonItem *> arrows = geneArrowsOf(scene);
        QCOMPARE(arrows.size(), 2);
        QCOMPARE(arrows[0]->polygon().first(), QPointF(246.8, 255));
        QCOMPARE(arrows[0]->brush().color(), QColor(Qt::cyan));
        QCOMPARE(arrows[1]->brush().color(), QColor(Qt::yellow));
        // The second gene sits on the lower lane.
        QCOMPARE(arrows[1]->polygon().first().y(), 285.0);
        QCOMPARE(arrows[0]->cursor().shape(), Qt::IBeamCursor);
        QVERIFY(!(arrows[0]->flags() & QGraphicsItem::ItemIsSelectable));
        QCOMPARE(arrows[0]->toolTip(), QString("Gene: abcA\nSynonym: xb0001\nPosition: 1234 - 1500"));
    }

    void shortGenesAreTriangles()
    {
        // 100 bp is 20 units: a triangle; 105 bp is 21 units: seven points.
        const QPolygonF triangle = operondetail::geneArrow(100, 120, 0, "+");
        QCOMPARE(triangle, QPolygonF({{100, 255}, {100, 275}, {120, 265}}));
        const QPolygonF arrow = operondetail::geneArrow(100, 121, 30, "+");
        QCOMPARE(arrow, QPolygonF({{100, 285}, {100, 305}, {101, 305}, {101, 309}, {121, 295},
                                   {101, 281}, {101, 285}}));
        QCOMPARE(operondetail::geneArrow(100, 120, 0, "-"),
                 QPolygonF({{120, 255}, {120, 275}, {100, 265}}));
        QCOMPARE(operondetail::geneArrow(100, 121, 0, "-"),
                 QPolygonF({{121, 255}, {121, 275}, {120, 275}, {120, 279}, {100, 265},
                            {120, 251}, {120, 255}}));
        QVERIFY(operondetail::geneArrow(100, 200, 0, "?").isEmpty());

        const ProjectModel m = twoGeneUnit(gene(1000, 1100, "+", "tinY", "s1"), gene(1200, 1305, "+", "smaL", "s2"));
        Harness h(m);
        h.drawUnit(0);
        const QList<QGraphicsPolygonItem *> arrows = geneArrowsOf(h.views->operonScene());
        QCOMPARE(arrows.size(), 2);
        QCOMPARE(arrows[0]->polygon().size(), 3);
        QCOMPARE(arrows[1]->polygon().size(), 7);
        // A name wider than its arrow on screen is hidden, until zooming makes room.
        QGraphicsTextItem *tiny = nullptr;
        for (QGraphicsTextItem *t : itemsOf<QGraphicsTextItem>(h.views->operonScene()))
            if (t->toPlainText() == "tinY")
                tiny = t;
        QVERIFY(tiny);
        operondetail::spaceRulerLabels(h.views->operonScene(), 0.5);
        QVERIFY(!tiny->isVisible());
        operondetail::spaceRulerLabels(h.views->operonScene(), 20);
        QVERIFY(tiny->isVisible());
    }

    void geneNamesInBoldTimes()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.drawUnit(0);
        QGraphicsTextItem *name = nullptr;
        for (QGraphicsTextItem *t : itemsOf<QGraphicsTextItem>(h.views->operonScene()))
            if (t->toPlainText() == "abcA")
                name = t;
        QVERIFY(name);
        QCOMPARE(name->font().family(), QString("Sans Serif"));
        QCOMPARE(name->font().pointSize(), 10);
        QVERIFY(name->font().bold());
        // Middle of 246.8 and 300 minus 25, on the upper lane.
        QCOMPARE(name->pos().y(), 265.0);   // centred on the arrow of the upper lane
    }

    void forwardUnitPromoterAndTerminator()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        QGraphicsScene *scene = h.drawUnit(0);

        // Promoter before the first gene: P = nint(246.8 - 30), Q = nint(246.8 - 20).
        const QList<QGraphicsLineItem *> promoter = linesWithPen(scene, Qt::cyan);
        QCOMPARE(linesOf(promoter), QList<QLineF>({{217, 240, 217, 190}, {217, 190, 247, 190},
                                                   {242, 185, 247, 190}, {242, 195, 247, 190}}));
        QCOMPARE(promoter[0]->pen().widthF(), 2.0);
        QCOMPARE(promoter[0]->pen().capStyle(), Qt::RoundCap);
        QCOMPARE(promoter[0]->toolTip(),
                 QString("Promoter_xb0001\n-10 region: TATAAT\n-35 region: TTGACA\nPosition: -150 / -100"));
        QCOMPARE(promoter[1]->cursor().shape(), Qt::IBeamCursor);

        // Terminator after the last gene, which ends at x = 400.
        QList<QGraphicsPolygonItem *> stems;
        for (QGraphicsPolygonItem *p : itemsOf<QGraphicsPolygonItem>(scene))
            if (p->brush().color() == QColor(Qt::magenta))
                stems << p;
        QCOMPARE(stems.size(), 1);
        QCOMPARE(stems[0]->polygon(), QPolygonF({{404, 240}, {404, 210}, {409, 210}, {409, 240}}));
        const QList<QGraphicsEllipseItem *> loops = itemsOf<QGraphicsEllipseItem>(scene);
        QCOMPARE(loops.size(), 1);
        QCOMPARE(loops[0]->rect(), QRectF(402, 205, 9, 10));
        QCOMPARE(loops[0]->toolTip(),
                 QString("Terminator_xb0002\nPosition: +20\nGCCCGCCTAATGAGCGGGCTTTTTTTT"));
        QCOMPARE(loops[0]->cursor().shape(), Qt::IBeamCursor);
    }

    void reverseUnitSwapsTheEnds()
    {
        const ProjectModel m = reverseProject();
        Harness h(m);
        QGraphicsScene *scene = h.drawUnit(0);
        // b = 4500; the last gene (r2) runs from x = 340 to 500.
        const QList<QLineF> promoter = linesOf(linesWithPen(scene, Qt::cyan));
        QCOMPARE(promoter.size(), 4);
        QCOMPARE(promoter.first(3), QList<QLineF>({{520, 240, 520, 190}, {520, 190, 490, 190},
                                                   {495, 185, 490, 190}}));
        // The terminator sits before the first gene, which starts at x = 200.
        const QList<QGraphicsEllipseItem *> loops = itemsOf<QGraphicsEllipseItem>(scene);
        QCOMPARE(loops.size(), 1);
        QCOMPARE(loops[0]->rect(), QRectF(196, 205, 10, 10));
    }

    void borderlineScoresDrawNoGlyph()
    {
        ProjectModel m = sampleProject();
        m.promoterMap["xb0001"].score = 0.0;
        m.terminatorMap["xb0002"].score = 2.0;
        Harness h(m);
        h.drawUnit(0);
        QVERIFY(linesWithPen(h.views->operonScene(), Qt::cyan).isEmpty());
        QVERIFY(itemsOf<QGraphicsEllipseItem>(h.views->operonScene()).isEmpty());
    }

    void glyphsOnlyAtTheUnitEnds()
    {
        ProjectModel m = sampleProject();
        // A promoter of the second gene and a terminator of the first are inside the unit.
        std::swap(m.promoterMap["xb0002"], m.promoterMap["xb0001"]);
        m.promoterMap.remove("xb0001");
        m.terminatorMap["xb0001"] = m.terminatorMap.take("xb0002");
        Harness h(m);
        h.drawUnit(0);
        QVERIFY(linesWithPen(h.views->operonScene(), Qt::cyan).isEmpty());
        QVERIFY(itemsOf<QGraphicsEllipseItem>(h.views->operonScene()).isEmpty());
    }

    void choosingTheUnitToDraw()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        QTreeWidgetItem *operon2 = h.tree->topLevelItem(1);
        // The unit with the most genes.
        QCOMPARE(operondetail::unitRowFor(operon2), operon2->child(1));
        QCOMPARE(operondetail::unitRowFor(operon2->child(0)->child(1)), operon2->child(0));
        QCOMPARE(operondetail::unitRowFor(h.tree->topLevelItem(0)), h.tree->topLevelItem(0));
        QVERIFY(operondetail::unitRowFor(h.tree->topLevelItem(2)) == nullptr);

        h.views->slotGenomeView(operon2, 0);
        QCOMPARE(geneArrowsOf(h.views->operonScene()).size(), 3);
        // A gene row draws its whole unit.
        h.views->slotGenomeView(geneRow(h.tree, 5), 0);
        QCOMPARE(geneArrowsOf(h.views->operonScene()).size(), 1);

        // Equally large units: the first.
        ProjectModel tie = sampleProject();
        tie.tuMap.clear();
        addUnit(tie, 0, 1, {0, 1});
        addUnit(tie, 0, 2, {2, 3});
        Harness t(tie);
        t.views->slotPredictOperon();
        QTreeWidgetItem *operon = t.tree->topLevelItem(0);
        QCOMPARE(operondetail::unitRowFor(operon), operon->child(0));
    }

    void drawingReplacesTheSceneAndCentresTheView()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        h.drawUnit(0);
        QPointer<QGraphicsScene> first = h.views->operonScene();
        QVERIFY(h.operonView->scene() == first);
        h.views->slotGenomeView(h.tree->topLevelItem(3), 0);
        QVERIFY(first.isNull());
        QVERIFY(h.operonView->scene() == h.views->operonScene());

        // A row whose children are units, or a gene row, draws nothing itself.
        h.views->drawGeneItem(h.tree->topLevelItem(1));
        QVERIFY(h.views->operonScene()->items().isEmpty());
        h.views->drawGeneItem(geneRow(h.tree, 0));
        QVERIFY(h.views->operonScene()->items().isEmpty());
        h.views->slotGenomeView(h.tree->topLevelItem(2), 0);
        QVERIFY(h.views->operonScene()->items().isEmpty());
    }

    void unitAcrossTheOrigin()
    {
        const ProjectModel m = twoGeneUnit(gene(9500, 9900, "+", "endA", "o1"), gene(9950, 400, "+", "oriB", "o2"));
        Harness h(m);
        h.drawUnit(0);
        // s = 9500, e = 10400: b = 9000, w = 100.
        QCOMPARE(h.views->operonScene()->sceneRect(), QRectF(0, 0, 700, 600));
        const QList<QGraphicsPolygonItem *> arrows = geneArrowsOf(h.views->operonScene());
        QCOMPARE(arrows.size(), 2);
        // The second gene ends at (400 - 9000) / 5 + 100 + 2000 = 380.
        QCOMPARE(arrows[1]->polygon().at(4), QPointF(380, 295));
    }

    void rulerNumbersStayInsideTheDrawing()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        QGraphicsScene *scene = h.drawUnit(0);
        const QRectF unit = operondetail::unitRect(scene);
        // From a small image, where a number is wider than the margin, to a
        // large one: a number shown is whole, never cut by an edge.
        for (double scale : {0.3, 0.6, 1.0, 3.0}) {
            operondetail::spaceRulerLabels(scene, scale);
            int shown = 0;
            for (QGraphicsTextItem *t : itemsOf<QGraphicsTextItem>(scene)) {
                if (!t->toPlainText().startsWith(' ') || !t->isVisible())
                    continue;
                ++shown;
                const QRectF box = t->transform().mapRect(t->boundingRect()).translated(t->pos() * scale);
                QVERIFY2(box.left() >= unit.left() * scale && box.right() <= unit.right() * scale,
                         qPrintable(QString("%1 at scale %2").arg(t->toPlainText()).arg(scale)));
            }
            QVERIFY(shown >= 2);
        }
    }

    void linkProbabilitiesNeverOverlap()
    {
        ProjectModel m = sampleProject();
        for (int i = 0; i + 1 < m.genes.size(); ++i)
            m.operonLinks.insert(m.genes[i].synonym + QLatin1Char('\t') + m.genes[i + 1].synonym, 0.5);
        Harness h(m);
        QGraphicsScene *scene = h.drawUnit(1);   // defC, defD, defE
        QList<QGraphicsTextItem *> links;
        for (QGraphicsTextItem *t : itemsOf<QGraphicsTextItem>(scene))
            if (t->toPlainText().startsWith("p "))
                links << t;
        QVERIFY(links.size() >= 2);
        // Zoomed out, the labels (constant on screen) would run into each
        // other: the ones shown keep apart; zoomed in, all show.
        for (double scale : {0.05, 0.3, 20.0}) {
            operondetail::spaceRulerLabels(scene, scale);
            QList<QRectF> shown;
            for (QGraphicsTextItem *t : std::as_const(links))
                if (t->isVisible())
                    shown << t->boundingRect().translated(t->pos().x() * scale - t->boundingRect().width() / 2, 0);
            QVERIFY(!shown.isEmpty());
            for (int i = 0; i < shown.size(); ++i)
                for (int j = i + 1; j < shown.size(); ++j)
                    QVERIFY2(!shown[i].intersects(shown[j]), qPrintable(QString("at scale %1").arg(scale)));
            if (scale > 1)
                QCOMPARE(shown.size(), links.size());
        }
    }

    void detailViewFitsTheUnitAndZooms()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        QVERIFY(h.show());
        h.drawUnit(1);
        // The whole unit is in sight when it is drawn.
        const QRectF unit = operondetail::unitRect(h.views->operonScene());
        const QRectF shown = h.operonView->mapToScene(h.operonView->viewport()->rect()).boundingRect();
        QVERIFY(shown.adjusted(-2, -2, 2, 2).contains(unit));
        const double fit = h.operonView->transform().m11();
        h.geneSlider->setValue(10);
        QVERIFY(qAbs(h.operonView->transform().m11() / fit - 2.0) < 1e-9);
        // A new drawing fits again.
        h.views->slotGenomeView(h.tree->topLevelItem(0), 0);
        QCOMPARE(h.geneSlider->value(), 0);
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestOperonDetail)
#include "tst_operondetail.moc"
