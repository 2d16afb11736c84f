// The circular genome map: geometry of the strokes and operon bands, the
// zoom slider, centring on a gene with the arrow, and map clicks.
#include "ArrowItem.h"
#include "GeneLine.h"
#include "GenomeMapBuilder.h"
#include "GlobalView.h"
#include "OperonsScene.h"
#include "QGraOperonItem.h"
#include "support/ViewsFixtures.h"

#include <QGraphicsTextItem>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <cmath>

using namespace viewsfixtures;

namespace {

constexpr double pi = 3.1415926;

double radiusOf(QPointF p)
{
    return std::hypot(p.x(), p.y());
}

double angleOf(QPointF p)
{
    double a = std::atan2(p.y(), p.x());
    return a < 0 ? a + 2 * pi : a;
}

QList<QGraOperonItem *> bandsOf(QGraphicsScene *scene)
{
    QList<QGraOperonItem *> bands;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder))
        if (auto *band = dynamic_cast<QGraOperonItem *>(item))
            bands << band;
    return bands;
}

// Gene lines of the scene that are not gene strokes: the one-gene operons.
QList<GeneLine *> operonLinesOf(QGraphicsScene *scene, const QVector<GeneLine *> &strokes)
{
    QList<GeneLine *> lines;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder))
        if (auto *line = dynamic_cast<GeneLine *>(item); line && !strokes.contains(line))
            lines << line;
    return lines;
}

ProjectModel megabaseProject()
{
    ProjectModel m;
    m.genomeTitle = "Test genome";
    m.genomeLength = 1000000;
    m.genes << gene(100000, 110000, "+", "fwdA", "t0001")   // 0
            << gene(200000, 201000, "-", "revB", "t0002")   // 1
            << gene(999000, 1000, "+", "oriC", "t0003")     // 2, across the origin
            << gene(5000, 5000, "+", "oneD", "t0004")       // 3, end = start
            << gene(7000, 8000, "?", "oddE", "t0005")       // 4, no strand
            << gene(9000, 9900, "-", "revF", "t0006");      // 5
    m.geneCount = m.genes.size();
    return m;
}

} // namespace

class TestGenomeMap : public QObject
{
    Q_OBJECT

private slots:
    void forwardGeneOfTenKilobasesIsOneHundredUnitsLong()
    {
        const ProjectModel m = megabaseProject();
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        const double R = m.genomeLength / 6283.1852 / 2;
        GeneLine *line = builder.geneLines().at(0);
        QVERIFY(line);
        const QPointF inner(line->x1, line->y1);
        const QPointF outer(line->x2, line->y2);
        QVERIFY(qAbs(QLineF(inner, outer).length() - 100.0) < 1e-6);
        QVERIFY(qAbs(radiusOf(inner) - (R + 1)) < 1e-6);
        QVERIFY(qAbs(radiusOf(outer) - (R + 101)) < 1e-6);
        QVERIFY(qAbs(angleOf(inner) - 105000.0 / m.genomeLength * 2 * pi) < 1e-9);
        QCOMPARE(line->geneIndex, 0);
        QCOMPARE(line->color(), QColor(255, 85, 0));
        QCOMPARE(line->toolTip(), QString("Synonym: t0001\nGene: fwdA\nPosition: 100000 - 110000"));
        QCOMPARE(scene->sceneRect(), QRectF(-2000, -2000, 4000, 4000));
    }

    void reverseGeneGrowsInwards()
    {
        const ProjectModel m = megabaseProject();
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        const double R = m.genomeLength / 6283.1852 / 2;
        GeneLine *line = builder.geneLines().at(1);
        QVERIFY(qAbs(radiusOf({line->x1, line->y1}) - (R - 51)) < 1e-6);
        QVERIFY(qAbs(radiusOf({line->x2, line->y2}) - (R - 50 - 10)) < 1e-6);
        QCOMPARE(line->color(), QColor(15, 15, 255));
    }

    void geneAcrossTheOriginUsesItsWrappedMiddle()
    {
        const ProjectModel m = megabaseProject();
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        GeneLine *line = builder.geneLines().at(2);
        // Middle (999000 + 1000 + 1000000) / 2 = 1000000: the origin itself.
        const double a = std::fmod(angleOf({line->x1, line->y1}), 2 * pi);
        QVERIFY(qMin(a, 2 * pi - a) < 1e-6);
        QVERIFY(qAbs(QLineF(line->line()).length() - 20.0) < 1e-6);

        // end = start counts as crossing: the whole genome, 10 000 units.
        GeneLine *whole = builder.geneLines().at(3);
        QVERIFY(qAbs(QLineF(whole->line()).length() - 10000.0) < 1e-6);
    }

    void geneWithoutStrandKeepsIndexesAligned()
    {
        const ProjectModel m = megabaseProject();
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        QCOMPARE(builder.geneLines().size(), m.genes.size());
        QVERIFY(builder.geneLines().at(4) == nullptr);
        QCOMPARE(builder.geneLines().at(5)->geneIndex, 5);
    }

    void frameHasCirclesLabelsAndAxes()
    {
        const ProjectModel m = megabaseProject();
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        int ellipses = 0, strandLabels = 0, axes = 0;
        for (QGraphicsItem *item : scene->items()) {
            if (item->type() == QGraphicsEllipseItem::Type)
                ++ellipses;
            if (auto *text = dynamic_cast<QGraphicsTextItem *>(item);
                text && text->toPlainText() == "Forward Strand / +")
                ++strandLabels;
            if (item->type() == QGraphicsLineItem::Type && !dynamic_cast<GeneLine *>(item)) {
                ++axes;
                QVERIFY(item->flags() & QGraphicsItem::ItemIsSelectable);
            }
        }
        QCOMPARE(ellipses, 3);
        QCOMPARE(strandLabels, 4);
        QCOMPARE(axes, 4);
        auto *centre = dynamic_cast<QGraphicsTextItem *>(builder.centreLabel());
        QCOMPARE(centre->toPlainText(), QString("Test genome\n1000000 bp"));
        QCOMPARE(centre->pos(), QPointF(-20, 0));
        QCOMPARE(centre->font().pointSize(), 5);
    }

    void operonBandColoursAlternatePerStrand()
    {
        ProjectModel m;
        m.genomeLength = 1000000;
        for (int i = 0; i < 8; ++i)
            m.genes << gene(1000 + 100000 * i, 2000 + 100000 * i, i < 6 ? "+" : "-",
                            QString("g%1").arg(i), QString("s%1").arg(i));
        m.genes << gene(900000, 901000, "-", "g8", "s8");
        addUnit(m, 0, 1, {0, 1});
        addUnit(m, 1, 1, {2, 3});
        addUnit(m, 2, 1, {6, 7});
        addUnit(m, 4, 1, {4, 5});   // operon 3 has no entry
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        const QList<QGraOperonItem *> bands = bandsOf(scene.get());
        QCOMPARE(bands.size(), 4);
        QMap<int, QColor> colourOfFirst;
        for (QGraOperonItem *band : bands) {
            colourOfFirst[band->data(0).toInt()] = band->brush().color();
            QCOMPARE(band->pen().color(), band->brush().color());
            QVERIFY(band->flags() & QGraphicsItem::ItemIsSelectable);
        }
        const QColor lavender(213, 175, 255), lightBlue(58, 193, 255);
        QCOMPARE(colourOfFirst[0], lavender);    // first forward operon
        QCOMPARE(colourOfFirst[2], lightBlue);   // second forward operon
        QCOMPARE(colourOfFirst[6], lavender);    // first reverse operon
        QCOMPARE(colourOfFirst[4], lavender);    // third forward operon
        QCOMPARE(builder.plusOperons(), 3);
        QCOMPARE(builder.minusOperons(), 1);

        // Forward bands fill the ring from R - 2 to R - 20.
        const double R = m.genomeLength / 6283.1852 / 2;
        for (QGraOperonItem *band : bands) {
            const bool forward = band->data(0).toInt() != 6;
            for (const QPointF &p : band->polygon()) {
                const double r = radiusOf(p);
                if (forward)
                    QVERIFY(qAbs(r - (R - 2)) < 1e-6 || qAbs(r - (R - 20)) < 1e-6);
                else
                    QVERIFY(qAbs(r - (R - 48)) < 1e-6 || qAbs(r - (R - 30)) < 1e-6);
            }
        }
        QCOMPARE(bands.first()->toolTip().left(8), QString("Operon:\n"));
    }

    void smallestAlternativeUnitIsDrawn()
    {
        ProjectModel m;
        m.genomeLength = 100000;
        for (int i = 0; i < 6; ++i)
            m.genes << gene(1000 + 5000 * i, 2000 + 5000 * i, "+", QString("g%1").arg(i),
                            QString("s%1").arg(i));
        addUnit(m, 0, 1, {0, 1, 2});
        addUnit(m, 0, 2, {1, 2});
        // Two equally small units: the one inserted first wins.
        addUnit(m, 1, 1, {3, 4});
        addUnit(m, 1, 2, {4, 5});
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        QStringList tips;
        for (QGraOperonItem *band : bandsOf(scene.get()))
            tips << band->toolTip();
        tips.sort();
        QCOMPARE(tips, QStringList({"Operon:\ng1/g2/", "Operon:\ng3/g4/"}));
    }

    void oneGeneOperonIsAGeneColouredLine()
    {
        ProjectModel m = megabaseProject();
        addUnit(m, 0, 1, {1});
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        const QList<GeneLine *> lines = operonLinesOf(scene.get(), builder.geneLines());
        QCOMPARE(lines.size(), 1);
        const double R = m.genomeLength / 6283.1852 / 2;
        QVERIFY(qAbs(radiusOf({lines[0]->x1, lines[0]->y1}) - (R - 48)) < 1e-6);
        QVERIFY(qAbs(radiusOf({lines[0]->x2, lines[0]->y2}) - (R - 30)) < 1e-6);
        QCOMPARE(lines[0]->color(), QColor(15, 15, 255));
        QCOMPARE(lines[0]->toolTip(), QString("Operon:\nrevB"));
        QCOMPARE(builder.minusOperons(), 1);
    }

    void operonIndexesOutsideTheGenesDrawNothing()
    {
        ProjectModel m = megabaseProject();
        addUnit(m, 0, 1, {0, 99});
        addUnit(m, 1, 1, {-3, 1});
        m.tuMap.insert(2, TuEntry());   // a unit without members
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        QVERIFY(bandsOf(scene.get()).isEmpty());
        QVERIFY(operonLinesOf(scene.get(), builder.geneLines()).isEmpty());
    }

    void emptyGenomeDrawsNoGenes()
    {
        ProjectModel m = megabaseProject();
        m.genomeLength = 0;
        addUnit(m, 0, 1, {0, 1});
        GenomeMapBuilder builder(m);
        std::unique_ptr<OperonsScene> scene(builder.build());
        for (GeneLine *line : builder.geneLines())
            QVERIFY(line == nullptr);
        QVERIFY(bandsOf(scene.get()).isEmpty());
    }

    void sliderScalesTheView()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        QCOMPARE(h.genomeSlider->value(), 30);
        QVERIFY(h.zoomAction->isEnabled());
        const double start = h.genomeView->transform().m11();
        QVERIFY(qAbs(start - std::pow(1.05, -20)) < 1e-9);

        h.genomeSlider->setValue(32);
        QVERIFY(qAbs(h.genomeView->transform().m11() / start - 1.1025) < 1e-9);
        QCOMPARE(h.views->lastGenomeScale(), 32.0);
        h.genomeSlider->setValue(30);
        QVERIFY(qAbs(h.genomeView->transform().m11() - start) < 1e-12);

        // From the slider's start value 50 to 52 and back.
        h.genomeSlider->setValue(50);
        QVERIFY(qAbs(h.genomeView->transform().m11() - 1.0) < 1e-9);
        h.genomeSlider->setValue(52);
        QVERIFY(qAbs(h.genomeView->transform().m11() - 1.1025) < 1e-9);
        h.genomeSlider->setValue(50);
        QVERIFY(qAbs(h.genomeView->transform().m11() - 1.0) < 1e-9);
    }

    void wheelStepsMoveTheSliderWithinItsRange()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        emit h.genomeView->global_scale(2);
        QCOMPARE(h.genomeSlider->value(), 32);
        emit h.genomeView->global_scale(-1);
        QCOMPARE(h.genomeSlider->value(), 31);
        emit h.genomeView->global_scale(500);
        QCOMPARE(h.genomeSlider->value(), 150);
        QVERIFY(qAbs(h.genomeView->transform().m11() - std::pow(1.05, 100)) < 1e-6);
    }

    void zoomCommandReturnsToTheWholeMap()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        h.views->slotPredictOperon();
        h.genomeSlider->setValue(120);
        h.views->slotZoom();
        QCOMPARE(h.genomeSlider->value(), 30);
        const QPointF centre = h.genomeView->mapToScene(h.genomeView->viewport()->rect().center());
        QVERIFY(QLineF(centre, QPointF(0, 0)).length() < 5);
    }

    void redrawReplacesAndDeletesTheOldScene()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        QPointer<OperonsScene> first = h.views->genomeScene();
        h.views->slotCenterOn(geneRow(h.tree, 5), 0);
        QCOMPARE(h.views->arrows().size(), 1);
        h.views->slotPredictOperon();
        QVERIFY(first.isNull());
        QVERIFY(h.genomeView->scene() == h.views->genomeScene());
        QVERIFY(h.views->arrows().isEmpty());
        QVERIFY(!h.views->arrowTimer()->isActive());
        QCOMPARE(h.views->geneLines().size(), m.genes.size());
        for (GeneLine *line : h.views->geneLines())
            QVERIFY(line->scene() == h.views->genomeScene());
    }

    void viewsMayOutliveTheirWidgets()
    {
        // In a window the views object is a child created after the form's
        // widgets, so the widgets are deleted first.
        const ProjectModel m = sampleProject();
        auto *window = new QWidget;
        ResultViewWidgets w;
        w.tree = new QTreeWidget(window);
        w.tree->setColumnCount(10);
        w.table = new QTableWidget(window);
        w.genomeView = new GlobalView(window);
        w.genomeSlider = new QSlider(window);
        w.genomeSlider->setRange(25, 150);
        w.operonView = new QGraphicsView(window);
        w.geneSlider = new QSlider(window);
        auto *views = new ResultViews(m, w, window);
        views->connectControls();
        views->slotPredictOperon();
        views->slotCenterOn(geneRow(w.tree, 0), 0);
        views->slotGenomeView(w.tree->topLevelItem(0), 0);
        views->genomeScene()->items().first()->setSelected(true);
        QPointer<OperonsScene> map = views->genomeScene();
        QPointer<QGraphicsScene> detail = views->operonScene();
        delete window;
        QVERIFY(map.isNull());
        QVERIFY(detail.isNull());
    }

    void centringShowsOneArrowAtTheStrokeEnd()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        h.views->slotPredictOperon();
        QTreeWidgetItem *row = geneRow(h.tree, 5);
        h.views->slotCenterOn(row, 0);
        QCOMPARE(h.genomeSlider->value(), 95);
        QCOMPARE(h.views->arrows().size(), 1);
        ArrowItem *arrow = h.views->arrows().first();
        QVERIFY(arrow->isVisible());
        QVERIFY(!(arrow->flags() & QGraphicsItem::ItemIsSelectable));
        QCOMPARE(arrow->brush().color(), QColor(0, 0, 255));
        // A one-pixel outline, whatever the zoom.
        QVERIFY(arrow->pen().isCosmetic());
        QCOMPARE(arrow->pen().color(), QColor(0, 0, 255));
        GeneLine *line = h.views->geneLines().at(5);
        const bool right = line->x1 < line->x2;
        const double dx = right ? 0.2 : -0.2;
        QCOMPARE(arrow->polygon().first(), QPointF(line->x2 + dx, line->y2));
        QCOMPARE(arrow->polygon().size(), 3);
        // The call returned at once; the timer hides the arrow later.
        QVERIFY(h.views->arrowTimer()->isActive());
        QCOMPARE(h.views->arrowTimer()->interval(), 20000);

        h.views->slotCenterOn(geneRow(h.tree, 2), 0);
        QCOMPARE(h.views->arrows().size(), 2);
        QVERIFY(!arrow->isVisible());
        QVERIFY(h.views->arrows().last()->isVisible());
    }

    void arrowDisappearsWhenItsTimeIsUp()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->setArrowDuration(50);
        h.views->slotPredictOperon();
        h.views->slotCenterOn(geneRow(h.tree, 0), 0);
        ArrowItem *arrow = h.views->arrows().first();
        QVERIFY(arrow->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!arrow->isVisible(), 2000);
    }

    void arrowDirectionsAndEmptyPolygon()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        h.views->slotArrow(10, 20, 0, 0);
        QCOMPARE(h.views->arrows().last()->polygon(),
                 QPolygonF({{9.8, 20}, {8.5, 20.375}, {8.5, 19.625}}));
        h.views->slotArrow(10, 20, 7, 0);
        QVERIFY(h.views->arrows().last()->polygon().isEmpty());
    }

    void centringIgnoresRowsWithoutAStroke()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        // Before the map exists nothing happens.
        QTreeWidgetItem loose;
        loose.setText(9, "0");
        h.views->slotCenterOn(&loose, 0);
        QVERIFY(h.views->arrows().isEmpty());

        h.views->slotPredictOperon();
        h.genomeSlider->setValue(40);
        loose.setText(9, "77");
        h.views->slotCenterOn(&loose, 0);
        loose.setText(9, "-1");
        h.views->slotCenterOn(&loose, 0);
        h.views->slotCenterOn(h.tree->topLevelItem(0), 0);   // an operon row
        h.views->slotCenterOn(nullptr, 0);
        QVERIFY(h.views->arrows().isEmpty());
        QCOMPARE(h.genomeSlider->value(), 40);
    }

    void clickingAGeneSelectsItInTheTree()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        h.views->slotPredictOperon();
        h.views->slotCenterOn(geneRow(h.tree, 5), 0);
        h.genomeSlider->setValue(150);
        GeneLine *line = h.views->geneLines().at(5);
        h.genomeView->centerOn(line);
        const QPoint at = h.genomeView->mapFromScene(line->line().center());
        QTest::mouseClick(h.genomeView->viewport(), Qt::LeftButton, {}, at);

        QVERIFY(line->isSelected());
        QCOMPARE(line->color(), QColor(Qt::black));
        const QList<QTreeWidgetItem *> selected = h.tree->selectedItems();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first()->text(1), QString("xb0010"));
        QCOMPARE(h.table->item(1, 0)->text(), QString("xb0010"));
        QVERIFY(h.views->operonScene());
    }

    void selectingAnOperonBandLooksUpItsFirstGene()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        QList<QGraOperonItem *> bands = bandsOf(h.views->genomeScene());
        QVERIFY(!bands.isEmpty());
        QGraOperonItem *band = nullptr;
        for (QGraOperonItem *b : bands)
            if (b->data(0).toInt() == 3)
                band = b;
        QVERIFY(band);
        band->setSelected(true);
        QCOMPARE(h.table->item(1, 0)->text(), QString("xb0004"));
        QVERIFY(!h.tree->selectedItems().isEmpty());
        for (QTreeWidgetItem *row : h.tree->selectedItems())
            QCOMPARE(row->text(1), QString("xb0004"));
    }

    void selectingAnAxisMarkChangesNothing()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.views->slotPredictOperon();
        h.tree->topLevelItem(0)->setSelected(true);
        for (QGraphicsItem *item : h.views->genomeScene()->items())
            if (item->type() == QGraphicsLineItem::Type && !dynamic_cast<GeneLine *>(item)) {
                item->setSelected(true);
                break;
            }
        QCOMPARE(h.views->genomeScene()->selectedItems().size(), 1);
        QCOMPARE(h.tree->selectedItems().size(), 1);
        QVERIFY(h.tree->topLevelItem(0)->isSelected());
        QCOMPARE(h.table->rowCount(), 0);
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestGenomeMap)
#include "tst_genomemap.moc"
