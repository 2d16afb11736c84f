// The genome browser: genes drawn at their own coordinates against its own
// ruler at three zoom levels, the sequence at base level, zoom about the
// cursor, panning, "go to", tooltips and the operon names of the tree.
#include "GenomeBrowser.h"
#include "GenomeBrowserPanel.h"
#include "OperonTree.h"

#include "support/ViewsFixtures.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <cmath>

#ifdef MERIDAN_HAVE_BIGWIG
#define NOCURL 1
extern "C" {
#include <bigWig.h>
}
#endif

using namespace viewsfixtures;

namespace {

// Left edge of base p on screen, from two of the ruler's marks (each mark
// stands in the middle of its base).
double leftEdgeByRuler(const GenomeBrowser &b, qint64 p)
{
    const auto &marks = b.rulerMarks();
    const auto [v, xv] = marks.first();
    const auto [w, xw] = marks.last();
    const double pixelsPerBase = (xw - xv) / double(w - v);
    return xv - pixelsPerBase / 2 + double(p - v) * pixelsPerBase;
}

#ifdef MERIDAN_HAVE_BIGWIG
// A small bigWig of sequence chrT written with libBigWig's own writer.
bool writeBigWig(const QString &path)
{
    bwInit(1 << 17);
    bigWigFile_t *fp = bwOpen(path.toLocal8Bit().constData(), nullptr, "w");
    if (!fp)
        return false;
    const char *chroms[] = {"chrT"};
    const uint32_t lengths[] = {20000};
    const char *names[] = {"chrT", "chrT", "chrT"};
    uint32_t starts[] = {100, 1233, 5000};
    uint32_t ends[] = {200, 1300, 5600};
    float values[] = {1.5f, 7.25f, 3.0f};
    const bool ok = bwCreateHdr(fp, 10) == 0 && (fp->cl = bwCreateChromList(chroms, lengths, 1)) != nullptr
                 && bwWriteHdr(fp) == 0 && bwAddIntervals(fp, names, starts, ends, values, 3) == 0;
    bwClose(fp);
    return ok;
}

// What libBigWig reads at base p (1-based), NaN for no data.
double libraryValue(const QString &path, qint64 p)
{
    bigWigFile_t *fp = bwOpen(path.toLocal8Bit().constData(), nullptr, "r");
    if (!fp)
        return -1;
    double value = std::nan("");
    if (bwOverlappingIntervals_t *o = bwGetValues(fp, "chrT", uint32_t(p - 1), uint32_t(p), 1)) {
        if (o->l == 1)
            value = o->value[0];
        bwDestroyOverlappingIntervals(o);
    }
    bwClose(fp);
    return value;
}
#endif

// Draws bases 1 to 10 000 of the project in a browser 1300 wide and
// returns the features it laid out.
const browser::Features &drawFirstBases(GenomeBrowser &b, const ProjectModel &project)
{
    b.resize(1300, 420);
    b.setProject(&project);
    b.showBases(1, 10000);
    b.grab();
    return b.features();
}

} // namespace

class TstGenomeBrowser : public QObject {
    Q_OBJECT

    ProjectModel model = sampleProject();

private slots:
    void genesSitAtTheGeneTablePositionsAtThreeZoomLevels()
    {
        PredictedHarness h(model);
        GenomeBrowser b;
        b.resize(1200 + GenomeBrowser::nameColumn, 420);
        b.setProject(&model);
        const QList<QPair<qint64, qint64>> zooms{{1, 20000}, {1000, 6000}, {1200, 1300}};
        for (const auto &[first, last] : zooms) {
            b.showBases(first, last);
            b.grab();
            QVERIFY(b.rulerMarks().size() >= 2);
            int checked = 0;
            for (int g = 0; g < model.genes.size(); ++g) {
                // Only genes of a unit have a row in the tree.
                QTreeWidgetItem *row = geneRow(h.tree, g);
                if (!row)
                    continue;
                const qint64 start = row->text(operontree::StartColumn).toLongLong();
                const qint64 end = row->text(operontree::EndColumn).toLongLong();
                const QRectF drawn = b.drawnRect(browser::Kind::Gene, g);
                if (end < start || drawn.isEmpty())
                    continue;
                const double ppb = b.axis().pixelsPerBase();
                const auto inView = [&](qint64 p) { return p >= b.axis().firstVisible() && p <= b.axis().lastVisible(); };
                if (inView(start)) {
                    ++checked;
                    QVERIFY2(std::abs(drawn.left() - leftEdgeByRuler(b, start)) < 0.5,
                             qPrintable(QString("gene %1 starts at x %2 at zoom %3-%4").arg(g).arg(drawn.left()).arg(first).arg(last)));
                    if (ppb >= 1)
                        QCOMPARE(b.axis().positionAt(drawn.left() + ppb / 2 - GenomeBrowser::nameColumn), start);
                }
                if (inView(end)) {
                    ++checked;
                    QVERIFY(std::abs(drawn.right() - leftEdgeByRuler(b, end + 1)) < 0.5);
                    if (ppb >= 1)
                        QCOMPARE(b.axis().positionAt(drawn.right() - ppb / 2 - GenomeBrowser::nameColumn), end);
                }
            }
            QVERIFY2(checked > 0, qPrintable(QString("no gene in view at %1-%2").arg(first).arg(last)));
        }
    }

    void theSequenceShowsAtBaseLevelOnly()
    {
        GenomeBrowser b;
        b.resize(1000, 420);
        b.setProject(&model);
        b.grab();
        QVERIFY(!b.sequenceShown());
        b.showBases(1234, 1300);
        b.grab();
        QVERIFY(b.sequenceShown());
    }

    void wheelZoomKeepsTheBaseUnderTheCursor()
    {
        GenomeBrowser b;
        b.resize(1000, 420);
        b.setProject(&model);
        const double x = 700;
        const qint64 before = b.axis().positionAt(x - GenomeBrowser::nameColumn);
        const double span = b.axis().span();
        QWheelEvent wheel(QPointF(x, 100), QPointF(x, 100), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&b, &wheel);
        QVERIFY(b.axis().span() < span);
        QVERIFY(std::abs(b.axis().positionAt(x - GenomeBrowser::nameColumn) - before) <= 1);
        // Keys pan along the genome and zoom out to the whole replicon.
        const double start = b.axis().start();
        QTest::keyClick(&b, Qt::Key_Right);
        QVERIFY(b.axis().start() > start);
        QTest::keyClick(&b, Qt::Key_Home);
        QCOMPARE(b.axis().span(), 20000.0);
        // Zoom stops at a few bases across the width, and at the genome's ends.
        for (int i = 0; i < 40; ++i)
            b.zoomBy(2);
        QCOMPARE(b.axis().pixelsPerBase(), BrowserAxis::maxPixelsPerBase);
        b.panBy(-1e9);
        QCOMPARE(b.axis().firstVisible(), 1);
    }

    void goToPositionsGenesAndProducts()
    {
        GenomeBrowserPanel panel;
        panel.resize(1200, 480);
        GenomeBrowser *b = panel.browser();
        b->setProject(&model);
        QVERIFY(b->goTo("1,600-2,000").isEmpty());
        QCOMPARE(b->axis().firstVisible(), 1600);
        QCOMPARE(b->axis().lastVisible(), 2000);
        QVERIFY(b->goTo("defD").isEmpty());
        QCOMPARE(b->selectedGene(), 3);
        QVERIFY(b->goTo("xb0010").isEmpty());
        QCOMPARE(b->selectedGene(), 5);
        // A product word walks through the genes that have it.
        QVERIFY(b->goTo("example").isEmpty());
        const int firstMatch = b->selectedGene();
        QVERIFY(b->goTo("example").isEmpty());
        QVERIFY(b->selectedGene() != firstMatch);
        QVERIFY(b->goTo("8500").isEmpty());
        QVERIFY(b->axis().firstVisible() <= 8500 && b->axis().lastVisible() >= 8500);
        QVERIFY(b->goTo("nosuchgene").contains("nosuchgene"));
        QVERIFY(b->goTo("25000").contains("outside"));
        // The panel's field reports what was not found.
        panel.goToField()->setText("nosuchgene");
        QTest::keyClick(panel.goToField(), Qt::Key_Return);
        QVERIFY(panel.statusLine()->text().contains("nosuchgene"));
    }

    void everyFeatureHasATooltipAndOperonsTheTreesNames()
    {
        PredictedHarness h(model);
        GenomeBrowser b;
        const browser::Features &f = drawFirstBases(b, model);
        QCOMPARE(f.promoters.size(), 1);
        QCOMPARE(f.terminators.size(), 1);
        QCOMPARE(f.units.size(), 4);
        int drawn = 0;
        const QList<QPair<browser::Kind, int>> counts{{browser::Kind::Gene, int(f.genes.size())},
                                                       {browser::Kind::Operon, int(f.operons.size())},
                                                       {browser::Kind::Unit, int(f.units.size())},
                                                       {browser::Kind::Promoter, int(f.promoters.size())},
                                                       {browser::Kind::Terminator, int(f.terminators.size())}};
        for (const auto &[kind, n] : counts) {
            for (int i = 0; i < n; ++i) {
                const QRectF r = b.drawnRect(kind, i);
                if (r.isEmpty())
                    continue;
                ++drawn;
                QVERIFY2(!b.tooltipAt(r.center()).isEmpty(), qPrintable(QString("kind %1 #%2").arg(int(kind)).arg(i)));
            }
        }
        QVERIFY(drawn >= 12);
        // Operons are named as the tree names them; alternative units are marked.
        QStringList treeNames;
        for (int i = 0; i < h.tree->topLevelItemCount(); ++i)
            if (h.tree->topLevelItem(i)->childCount() > 0)
                treeNames << h.tree->topLevelItem(i)->text(operontree::UnitColumn);
        QStringList names;
        for (const browser::Feature &operon : f.operons)
            names << operon.label;
        QCOMPARE(names, treeNames);
        int alternatives = 0;
        for (const browser::Feature &unit : f.units)
            alternatives += unit.alternative ? 1 : 0;
        QCOMPARE(alternatives, 2);
        // The promoter's boxes: -35 opens it, -10 closes it (forward gene at 1234, from -150 to -100).
        const browser::Feature &p = f.promoters.first();
        QCOMPARE(p.first, 1084);
        QCOMPARE(p.last, 1134);
        QCOMPARE(p.partFirst[0], 1084);
        QCOMPARE(p.partLast[0], 1089);
        QCOMPARE(p.partFirst[1], 1129);
        QCOMPARE(p.partLast[1], 1134);
    }

    // A pair-table probability stands at the junction of its two genes, with
    // a tooltip; a pair the table does not hold has no mark.
    void linkProbabilitiesStandAtTheirJunctions()
    {
        ProjectModel m = model;
        m.operonLinks.insert(m.genes[0].synonym + QLatin1Char('\t') + m.genes[1].synonym, 0.83);
        GenomeBrowser b;
        const browser::Features &f = drawFirstBases(b, m);
        QCOMPARE(f.links.size(), 1);
        const browser::Feature &link = f.links.first();
        QCOMPARE(link.gene, 0);
        QCOMPARE(link.probability, 0.83);
        QCOMPARE(link.first, qint64(std::min(std::max(m.genes[0].start, m.genes[0].end), std::min(m.genes[1].start, m.genes[1].end))));
        const QRectF r = b.drawnRect(browser::Kind::Link, 0);
        QVERIFY(!r.isEmpty());
        const double junction = (b.drawnRect(browser::Kind::Gene, 0).right() + b.drawnRect(browser::Kind::Gene, 1).left()) / 2;
        QVERIFY2(std::abs(r.center().x() - junction) < 3, qPrintable(QString("%1 vs %2").arg(r.center().x()).arg(junction)));
        QVERIFY(b.tooltipAt(r.center()).contains(QStringLiteral("0.830")));
    }

    void aBigWigTrackShowsWhatLibBigWigReads()
    {
#ifndef MERIDAN_HAVE_BIGWIG
        QSKIP("built without libBigWig");
#else
        QTemporaryDir dir;
        const QString path = dir.filePath("coverage.bw");
        QVERIFY(writeBigWig(path));
        GenomeBrowser b;
        b.resize(1200 + GenomeBrowser::nameColumn, 520);
        b.setProject(&model);
        // A genome of another name: the file is refused, saying both names.
        b.setSequenceNames({"NC_999999.1"});
        const QString refused = b.addDataTrack(path);
        QVERIFY(refused.contains("NC_999999.1"));
        QVERIFY(refused.contains("chrT"));
        QVERIFY(b.dataTracks().isEmpty());

        b.setSequenceNames({"chrT"});
        QCOMPARE(b.addDataTrack(path), QString());
        QCOMPARE(b.dataTracks().size(), 1);
        for (const qint64 p : {150, 1250, 5300}) {
            const double expected = libraryValue(path, p);
            QVERIFY(!std::isnan(expected));
            QCOMPARE(b.dataValueAt(0, p, false), expected);
        }
        QVERIFY(std::isnan(libraryValue(path, 900)));
        QVERIFY(std::isnan(b.dataValueAt(0, 900, false)));
        // The bins drawn at base level hold the same values, and the tooltip tells them.
        b.showBases(1201, 1300);
        b.grab();
        const auto &summary = b.dataSummary(0, 100);
        QCOMPARE(summary.forward.mean[size_t(1250 - summary.start - 1)], libraryValue(path, 1250));
        const double y = GenomeBrowser::dataTrackTop(0) + GenomeBrowser::dataTrackHeight / 2.0;
        const double x = GenomeBrowser::nameColumn + b.axis().xOf(1250 - 0.5);
        QVERIFY2(b.tooltipAt(QPointF(x, y)).contains("7.25"), qPrintable(b.tooltipAt(QPointF(x, y))));
        b.setTrackLogScale(0, true);
        b.setTrackAutoscale(0, false);
        b.grab();
        b.removeDataTrack(0);
        QVERIFY(b.dataTracks().isEmpty());
#endif
    }

    void gcContentAndSkewCountTheBases()
    {
        ProjectModel m;
        // 100 bases: 40 G, 10 C, 30 A, 10 T and 10 N.
        m.forwardSequence = QString(40, 'G') + QString(10, 'c') + QString(30, 'A') + QString(10, 't') + QString(10, 'N');
        m.genomeLength = int(m.forwardSequence.size());
        const browser::Features f = browser::buildFeatures(m);
        QCOMPARE(f.gcContent(1, 100), 50.0 / 90.0);
        QCOMPARE(f.gcSkew(1, 100), 30.0 / 50.0);
        QCOMPARE(f.gcContent(41, 50), 1.0);
        QCOMPARE(f.gcSkew(41, 50), -1.0);
        QCOMPARE(f.gcContent(91, 100), -1.0);   // only N
        QCOMPARE(f.gcContent(33, 35), 1.0);     // inside one block
        QCOMPARE(f.gcContent(71, 500), 0.0);    // 10 A, 10 T, then N and past the end
    }
};

MERIDAN_VIEWS_TEST_MAIN(TstGenomeBrowser)
#include "tst_genomebrowser.moc"
