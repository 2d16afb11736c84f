// The circular genome map: ring geometry (genes across the origin and long
// genes as arcs), the scale steps, fitting any genome size, slider/wheel
// zoom, gene names that never overlap, the pointer, map clicks and compact
// exports.
#include "ArrowItem.h"
#include "GenomeMapBuilder.h"
#include "GlobalView.h"
#include "MapItems.h"
#include "OperonsScene.h"
#include "support/ViewsFixtures.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

using namespace viewsfixtures;
using namespace genomemap;

namespace {

// A genome of `length` bp with `count` genes of `size` bp, alternating
// strands, and one operon per two genes.
ProjectModel syntheticProject(int length, int count, int size)
{
    ProjectModel m;
    m.genomeTitle = "Synthetic genome";
    m.genomeLength = length;
    const int step = length / count;
    for (int i = 0; i < count; ++i)
        m.genes << gene(1 + i * step, qMin(length, i * step + size), i % 4 < 2 ? "+" : "-",
                        QString("g%1").arg(i), QString("s%1").arg(i));
    m.geneCount = m.genes.size();
    for (int i = 0; i + 1 < count; i += 2)
        addUnit(m, i / 2, 1, {i, i + 1});
    return m;
}

QList<MapLabel *> visibleGeneLabels(QGraphicsScene *scene, const GenomeMapBuilder &map)
{
    const QVector<MapLabel *> ticks = map.scaleLabels();
    QList<MapLabel *> shown;
    for (QGraphicsItem *item : scene->items())
        if (auto *label = dynamic_cast<MapLabel *>(item);
            label && label->isVisible() && !ticks.contains(label) && label->pos() != QPointF(0, 0))
            shown << label;
    return shown;
}

} // namespace

class TestGenomeMap : public QObject
{
    Q_OBJECT

private slots:
    void sectorsFollowTheGenome()
    {
        const Geometry g(1000000);
        const Ring ForwardGenes{950.0, 1000.0};
        // A quarter turn from the top is three o'clock.
        const QPointF east = g.pointAt(100, 250000);
        QVERIFY(qAbs(east.x() - 100) < 1e-9 && qAbs(east.y()) < 1e-9);
        // A gene over the origin is a short arc at the top, not a chord.
        const QRectF wrap = g.sector(999001, 1000, ForwardGenes).boundingRect();
        QVERIFY(wrap.width() < 20 && wrap.center().y() < -900);
        QCOMPARE(g.span(999001, 1000), qint64(2000));
        // A gene over a third of the genome bulges out to the full radius.
        const QRectF third = g.sector(1, 333333, ForwardGenes).boundingRect();
        QVERIFY(third.right() > 999 && third.top() < -999);
        QVERIFY(g.sector(1, 333333, ForwardGenes).contains(g.pointAt(975, 166000)));
        QVERIFY(!g.sector(1, 333333, ForwardGenes).contains(g.pointAt(975, 500000)));
    }

    void scaleStepsAndLabels_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("major");
        QTest::newRow("plasmid") << qint64(9609) << qint64(1000);
        QTest::newRow("E. coli") << qint64(4641652) << qint64(500000);
        QTest::newRow("15 Mb") << qint64(15000000) << qint64(2000000);
    }
    void scaleStepsAndLabels()
    {
        QFETCH(qint64, length);
        QFETCH(qint64, major);
        const TickSteps steps = tickSteps(length, 12);
        QCOMPARE(steps.major, major);
        QVERIFY(steps.major % steps.minor == 0);
        QCOMPARE(positionLabel(0), QString("0"));
        QCOMPARE(positionLabel(2500), QString("2.5 kb"));
        QCOMPARE(positionLabel(1500000), QString("1.5 Mb"));
        QCOMPARE(positionLabel(750), QString("750 bp"));
        QCOMPARE(lengthLabel(9609), QString("9,609 bp"));
        QCOMPARE(lengthLabel(4641652), QString("4.64 Mb (4,641,652 bp)"));
    }

    void mapFitsAnyGenomeSize_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("5 kb") << 5000;
        QTest::newRow("9.6 kb") << 9609;
        QTest::newRow("15 Mb") << 15000000;
    }
    void mapFitsAnyGenomeSize()
    {
        QFETCH(int, length);
        const ProjectModel m = syntheticProject(length, 40, qMin(length / 50, 1200));
        Harness h(m);
        QVERIFY(h.show());
        h.views->slotPredictOperon();
        const QRect viewport = h.genomeView->viewport()->rect();
        const QRectF map = h.genomeView->mapFromScene(QRectF(-1000, -1000, 2000, 2000)).boundingRect();
        QVERIFY(viewport.contains(map.toAlignedRect().adjusted(1, 1, -1, -1)));
        // The legend has a margin of its own, beside or above the map.
        const QRect inView = h.genomeView->viewport()->geometry();
        const QSizeF legend = GenomeMapBuilder::legendSize();
        QVERIFY(inView.left() >= legend.width() || inView.top() >= legend.height());
        QVERIFY2(map.width() > 0.5 * qMin(viewport.width(), viewport.height()),
                 qPrintable(QString("map %1 in %2x%3").arg(map.width()).arg(viewport.width()).arg(viewport.height())));
        QCOMPARE(h.genomeSlider->value(), 0);
        // Every gene is an arc of its own: none is missing, whatever the size.
        int features = 0;
        for (MapFeature *f : h.views->geneFeatures())
            features += f != nullptr;
        QCOMPARE(features, 40);
    }

    void sliderAndWheelZoomAndFitReturns()
    {
        const ProjectModel m = syntheticProject(200000, 100, 1500);
        Harness h(m);
        QVERIFY(h.show());
        h.views->slotPredictOperon();
        const double fit = h.genomeView->transform().m11();
        h.genomeView->centerOn(600, -350);   // on the rings
        const QPointF centre = h.genomeView->mapToScene(h.genomeView->viewport()->rect().center());
        h.genomeSlider->setValue(10);
        QVERIFY(qAbs(h.genomeView->transform().m11() / fit - 2.0) < 1e-6);
        // The slider zooms about the view's centre: the same genome position
        // stays there (the rings, of fixed width on screen, move outwards).
        const QPointF after = h.genomeView->mapToScene(h.genomeView->viewport()->rect().center());
        QVERIFY2(qAbs(QLineF(QPointF(0, 0), centre).angle() - QLineF(QPointF(0, 0), after).angle()) < 0.5,
                 qPrintable(QString("%1,%2 %3,%4").arg(centre.x()).arg(centre.y()).arg(after.x()).arg(after.y())));
        emit h.genomeView->global_scale(2);
        QCOMPARE(h.genomeSlider->value(), 10 + 2 * ResultViews::WheelLevels);
        h.views->zoomOut();
        QCOMPARE(h.genomeSlider->value(), 10);
        emit h.genomeView->global_scale(1000);
        QCOMPARE(h.genomeSlider->value(), ResultViews::MapZoomLevels);
        h.views->slotZoom();
        QCOMPARE(h.genomeSlider->value(), 0);
        QVERIFY(qAbs(h.genomeView->transform().m11() - fit) < 1e-9);
        // From the empty middle of the circle the slider zooms onto the rings.
        h.views->zoomIn();
        const QPointF onRings = h.genomeView->mapToScene(h.genomeView->viewport()->rect().center());
        QVERIFY(QLineF(QPointF(0, 0), onRings).length() > h.views->map()->rings().scaleRadius);
    }

    void ringsKeepTheirWidthOnScreenAtEveryZoom()
    {
        const ProjectModel m = syntheticProject(4000000, 400, 3000);
        Harness h(m);
        QVERIFY(h.show());
        h.views->slotPredictOperon();
        const Geometry geometry(m.genomeLength);
        double widths[2] = {0, 0};
        int zooms = 0;
        for (int level : {30, 70, ResultViews::MapZoomLevels}) {
            h.genomeSlider->setValue(level);
            const double scale = h.genomeView->transform().m11();
            const RingLayout &rings = h.views->map()->rings();
            const double geneWidth = (rings.forwardGenes.outer - rings.forwardGenes.inner) * scale;
            const double operonWidth = (rings.forwardOperons.outer - rings.forwardOperons.inner) * scale;
            if (zooms++ == 0) {
                widths[0] = geneWidth;
                widths[1] = operonWidth;
            }
            QVERIFY2(qAbs(geneWidth - widths[0]) < 1e-6 && qAbs(operonWidth - widths[1]) < 1e-6,
                     qPrintable(QString("level %1: %2 px, %3 px").arg(level).arg(geneWidth).arg(operonWidth)));
            QVERIFY2(geneWidth >= 4 && geneWidth <= 40, qPrintable(QString::number(geneWidth)));
            // Every ring lies inside the one before it, the scale inside all.
            QVERIFY(rings.forwardGenes.inner > rings.forwardOperons.outer);
            QVERIFY(rings.reverseGenes.inner > rings.gc.outer && rings.gc.inner > rings.scaleRadius);
            // Each gene's hit area follows its ring: the middle of gene 0 and
            // of gene 2 (reverse strand) lies inside it, the other ring's not.
            for (int g : {0, 2}) {
                const bool plus = m.genes[g].strand == "+";
                const Ring own = plus ? rings.forwardGenes : rings.reverseGenes;
                const Ring other = plus ? rings.reverseGenes : rings.forwardGenes;
                const double middle = geometry.middle(m.genes[g].start, m.genes[g].end);
                const QPainterPath path = h.views->geneFeatures()[g]->path();
                QVERIFY(path.contains(geometry.pointAt((own.inner + own.outer) / 2, middle)));
                QVERIFY(!path.contains(geometry.pointAt((other.inner + other.outer) / 2, middle)));
            }
        }
    }

    void linearRepliconIsALine()
    {
        ProjectModel m = syntheticProject(100000, 20, 2000);
        m.circular = false;
        GenomeMapBuilder map(m);
        std::unique_ptr<OperonsScene> scene(map.build());
        map.updateLabels(0.5);
        // Left to right in genome order, every forward gene at one height
        // above every reverse gene, and a gene's hit area from its start to
        // its end along the line.
        double lastLeft = -1e300;
        for (int g = 0; g < m.genes.size(); ++g) {
            const QRectF box = map.geneFeatures()[g]->path().boundingRect();
            QVERIFY(box.left() > lastLeft);
            lastLeft = box.left();
            const double x0 = (double(m.genes[g].start - 1) / m.genomeLength - 0.5) * LineLength;
            const double x1 = (double(m.genes[g].end) / m.genomeLength - 0.5) * LineLength;
            QVERIFY2(qAbs(box.left() - x0) < 1e-6 && qAbs(box.right() - x1) < 1e-6,
                     qPrintable(QString("gene %1: %2..%3, not %4..%5").arg(g).arg(box.left()).arg(box.right()).arg(x0).arg(x1)));
            const Ring ring = m.genes[g].strand == "+" ? map.rings().forwardGenes : map.rings().reverseGenes;
            QCOMPARE(box.top(), LineTop + OuterRadius - ring.outer);
        }
        // The last gene ends at the line's right end, it does not wrap.
        QVERIFY(map.geneFeatures().last()->path().boundingRect().right() <= LineLength / 2 + 1e-6);
    }

    void geneNamesAppearWhenZoomedAndNeverOverlap()
    {
        const ProjectModel m = syntheticProject(4000000, 4000, 900);
        GenomeMapBuilder map(m);
        std::unique_ptr<OperonsScene> scene(map.build());
        QCOMPARE(map.updateLabels(0.4), 0);   // the whole genome: no room for names
        const int zoomed = map.updateLabels(60);
        QVERIFY(zoomed > 100);
        QList<MapLabel *> shown = visibleGeneLabels(scene.get(), map);
        QCOMPARE(int(shown.size()), zoomed);
        QVector<QRectF> rects;
        for (MapLabel *label : shown)
            rects << label->pixelRect().translated(label->pos() * 60);
        for (MapLabel *tick : map.scaleLabels())
            rects << tick->pixelRect().translated(tick->pos() * 60);
        std::sort(rects.begin(), rects.end(), [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
        for (int i = 0; i < rects.size(); ++i)
            for (int j = i + 1; j < rects.size() && rects[j].left() < rects[i].right(); ++j)
                QVERIFY2(!rects[i].intersects(rects[j]), qPrintable(QString::number(i)));
    }

    void pointerShowsAtTheGeneAndGoes()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        QVERIFY(h.show());
        h.views->setArrowDuration(50);
        h.views->slotPredictOperon();
        h.views->slotCenterOn(geneRow(h.tree, 5), 0);
        QCOMPARE(h.views->arrows().size(), 1);
        ArrowItem *arrow = h.views->arrows().first();
        QVERIFY(arrow->isVisible());
        QVERIFY(!(arrow->flags() & QGraphicsItem::ItemIsSelectable));
        QPointF anchor, direction;
        QVERIFY(h.views->map()->geneAnchor(5, &anchor, &direction));
        QCOMPARE(arrow->pos(), anchor);
        QTRY_VERIFY_WITH_TIMEOUT(!arrow->isVisible(), 2000);
    }

    void pointerStandsAtItsOwnGenesName()
    {
        // A crowded genome: at the fitted zoom most names have no room.
        ProjectModel m;
        m.genomeLength = 1000000;
        m.genomeTitle = "Crowded";
        for (int g = 0; g < 2000; ++g) {
            m.genes << gene(100 + 500 * g, 400 + 500 * g, g % 3 ? "+" : "-", QString("gen%1").arg(g),
                            QString("t%1").arg(g));
            addUnit(m, g, 1, {g});
        }
        PredictedHarness h(m);
        const int marked = 1001;
        QVERIFY(h.views->map()->geneLabel(marked));
        QVERIFY(!h.views->map()->geneLabel(marked)->isVisible());
        h.views->slotCenterOn(geneRow(h.tree, marked), 0);
        QVERIFY(h.views->map()->geneLabel(marked)->isVisible());
        // The name nearest to the pointer is the marked gene's own.
        const QPointF tip = h.views->arrows().last()->pos();
        int nearest = -1;
        double best = 1e300;
        for (int g = 0; g < m.genes.size(); ++g) {
            MapLabel *label = h.views->map()->geneLabel(g);
            if (!label || !label->isVisible())
                continue;
            const double d = QLineF(label->pos(), tip).length();
            if (d < best) {
                best = d;
                nearest = g;
            }
        }
        QCOMPARE(nearest, marked);
        // The name stands clear of the pointer, on either strand (both in
        // pixels from the gene's anchor).
        for (int g : {marked, marked + 1}) {
            h.views->slotCenterOn(geneRow(h.tree, g), 0);
            const QRectF pointer = h.views->arrows().last()->polygon().boundingRect();
            QVERIFY2(!h.views->map()->geneLabel(g)->pixelRect().intersects(pointer), qPrintable(m.genes[g].strand));
        }
    }

    void redrawReplacesAndDeletesTheOldScene()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        QPointer<OperonsScene> first = h.views->genomeScene();
        h.views->slotCenterOn(geneRow(h.tree, 5), 0);
        h.views->slotPredictOperon();
        QVERIFY(first.isNull());
        QVERIFY(h.genomeView->scene() == h.views->genomeScene());
        QVERIFY(h.views->arrows().isEmpty());
        QCOMPARE(h.views->geneFeatures().size(), m.genes.size());
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
        w.operonView = new QGraphicsView(window);
        w.geneSlider = new QSlider(window);
        auto *views = new ResultViews(m, w, window);
        views->setUpViews();
        views->connectControls();
        views->slotPredictOperon();
        views->slotCenterOn(geneRow(w.tree, 0), 0);
        views->slotGenomeView(w.tree->topLevelItem(0), 0);
        QPointer<OperonsScene> map = views->genomeScene();
        QPointer<QGraphicsScene> detail = views->operonScene();
        delete window;
        QVERIFY(map.isNull());
        QVERIFY(detail.isNull());
    }

    void clickingAGeneSelectsItInTheTree()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        QVERIFY(h.show());
        h.views->slotPredictOperon();
        h.views->slotCenterOn(geneRow(h.tree, 5), 0);
        MapFeature *feature = h.views->geneFeatures().at(5);
        h.genomeSlider->setValue(40);
        h.genomeView->centerOn(feature);
        // The middle of the gene's ring at its middle position.
        QPointF anchor, direction;
        QVERIFY(h.views->map()->geneAnchor(5, &anchor, &direction));
        const Ring genes = h.views->map()->rings().forwardGenes;
        const QPoint at = h.genomeView->mapFromScene(anchor - direction * (genes.outer - genes.inner) / 2);
        // Zoomed in, the gene is drawn in its strand's colour on screen.
        const QColor drawn = h.genomeView->viewport()->grab().toImage().pixelColor(at);
        QVERIFY2(QList<QColor>({GenomeMapBuilder::forwardGeneColor(0), GenomeMapBuilder::forwardGeneColor(1),
                                GenomeMapBuilder::reverseGeneColor(0), GenomeMapBuilder::reverseGeneColor(1)})
                     .contains(drawn),
                 qPrintable(drawn.name()));
        QTest::mouseClick(h.genomeView->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(feature->isSelected());
        QCOMPARE(h.tree->currentItem()->text(1), QString("xb0010"));
        QCOMPARE(h.table->item(1, 0)->text(), QString("xb0010"));
        QCOMPARE(h.views->detailGenes(), QVector<int>({5}));
    }

    void exportIsCompactCentredAndNamed()
    {
        const ProjectModel m = syntheticProject(4600000, 4300, 900);
        Harness h(m);
        QTemporaryDir dir;
        h.views->setSaveFileNameAsker([&](QWidget *, const QString &, const QString &) {
            return dir.filePath("map");
        });
        h.views->saveSvg();   // nothing drawn yet: nothing saved
        QVERIFY(!QFile::exists(dir.filePath("map.svg")));
        h.views->slotPredictOperon();
        h.views->saveSvg();
        QFile svg(dir.filePath("map.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        QVERIFY2(text.size() < 1500000, qPrintable(QString::number(text.size())));
        // Genes and operons share their paths: far fewer elements than genes.
        QVERIFY(text.count("<path") < 200);
        QVERIFY(text.contains("Synthetic genome"));

        h.views->setImageWidthAsker([](QWidget *, const QString &, int) { return 800; });
        h.views->setSaveFileNameAsker([&](QWidget *, const QString &, const QString &) {
            return dir.filePath("map.PNG");
        });
        h.views->savePng();
        QImage image(dir.filePath("map.PNG"));
        QCOMPARE(image.size(), QSize(800, 800));
        // Centred: the ring's left and right edges are equally far from the sides.
        const int y = 400;
        int left = 0, right = 799;
        while (left < 799 && image.pixelColor(left, y) == Qt::white)
            ++left;
        while (right > 0 && image.pixelColor(right, y) == Qt::white)
            --right;
        QVERIFY2(qAbs(left - (799 - right)) <= 3, qPrintable(QString("%1 %2").arg(left).arg(right)));
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestGenomeMap)
#include "tst_genomemap.moc"
