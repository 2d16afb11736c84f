// The model's readers of the project inputs and of the engines' result
// files, without a window: what lands in the model, the rows the engines
// leave out, gene indexes outside the genes, and repeated readings. The
// parsing of each result file is the genome library's and tested there.
#include "ProjectModel.h"
#include "ProjectReaders.h"
#include "ResultReaders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace meridan;

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(text);
}

} // namespace

class ReadersTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    ProjectModel modelWithGenes(int count)
    {
        ProjectModel model;
        for (int i = 0; i < count; ++i) {
            GeneEntry gene;
            gene.gene = QStringLiteral("g%1").arg(i);
            gene.synonym = QStringLiteral("s%1").arg(i);
            model.genes.append(gene);
        }
        model.geneCount = count;
        return model;
    }

private slots:
    void geneTableRowsAndTitle()
    {
        writeText(file("t.ano"),
                  "Escherichia coli str. K-12 substr. MG1655, complete genome - 1..4641652\n"
                  "2 proteins\n"
                  "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
                  "\n"
                  "1200..1500\t-\t100\tpid42\tabcD\tx0001\t-\t-\tputative example protein\n"
                  "10..20\t+\t3\tpid43\tefgH\tx0002\t-\t-COG1\n"
                  "30..40\t+\t3\tpid44\tijkL\tx0003\t-\tCOG0642T,COG2205T\tkinase\n"
                  "short row only\n"
                  "55\t+\t3\tpid45\tmnoP\tx0004\t-\t-\tno range\n"
                  "\n");
        ProjectModel model;
        QVERIFY(readGeneTable(file("t.ano"), model));
        QCOMPARE(model.genomeTitle, QStringLiteral("Escherichia coli str. K-12 substr. MG1655, complete genome"));
        QCOMPARE(model.genomeLength, 4641652);
        QCOMPARE(model.genes.size(), 3);
        QCOMPARE(model.geneCount, 3);
        const GeneEntry& g = model.genes[0];
        QCOMPARE(g.start, 1200);
        QCOMPARE(g.end, 1500);
        QCOMPARE(g.strand, QStringLiteral("-"));
        QCOMPARE(g.length, 100);
        QCOMPARE(g.pid, QStringLiteral("pid42"));
        QCOMPARE(g.gene, QStringLiteral("abcD"));
        QCOMPARE(g.synonym, QStringLiteral("x0001"));
        QCOMPARE(g.cog, QStringLiteral("-"));
        QCOMPARE(g.product, QStringLiteral("putative example protein "));
        QCOMPARE(model.genes[1].cog, QStringLiteral("-"));
        QCOMPARE(model.genes[1].product, QString());
        QCOMPARE(model.genes[2].cog, QStringLiteral("COG0642T,COG2205T"));

        // Reading again replaces the genes instead of appending a second copy.
        QVERIFY(readGeneTable(file("t.ano"), model));
        QCOMPARE(model.genes.size(), 3);
    }

    void geneTableLimits()
    {
        writeText(file("dots.ano"), "....\nx\ny\n");
        ProjectModel model = modelWithGenes(2);
        model.genomeTitle = QStringLiteral("old");
        QVERIFY(readGeneTable(file("dots.ano"), model));
        QCOMPARE(model.genomeTitle, QStringLiteral("...."));   // no range: the whole line
        QCOMPARE(model.genomeLength, 0);
        QCOMPARE(model.genes.size(), 0);

        ProjectModel untouched = modelWithGenes(2);
        QVERIFY(!readGeneTable(file("missing.ano"), untouched));
        QCOMPARE(untouched.genes.size(), 2);
    }

    void genomeSequenceAndComplement()
    {
        writeText(file("g.fna"), ">header line\r\nACGT acgt\r\nNNRY\n\n");
        ProjectModel model;
        QVERIFY(readGenomeSequence(file("g.fna"), model));
        QCOMPARE(model.forwardSequence, QStringLiteral("ACGTacgtNNRY"));
        QCOMPARE(model.complementSequence, QStringLiteral("TGCAacgtNNRY"));
        QVERIFY(!readGenomeSequence(file("none.fna"), model));
        QCOMPARE(model.forwardSequence, QStringLiteral("ACGTacgtNNRY"));
    }

    void geneTagsByLinePosition()
    {
        writeText(file("tags.txt"),
                  "0    17    -1    250\n"
                  "\n"
                  "3    1e+06    -1    2\n"
                  "7\n"
                  "9    9    9    9\n"
                  "11    11    11    11\n");
        ProjectModel model = modelWithGenes(4);
        QVERIFY(readGeneTags(file("tags.txt"), model));
        QCOMPARE(model.genes[0].operonNumber, 0);
        QCOMPARE(model.genes[0].sdPosition, 17);
        QCOMPARE(model.genes[0].taPosition, -1);
        QCOMPARE(model.genes[0].terminatorPosition, 250);
        // The blank line is not a gene; a whole number in exponent notation reads.
        QCOMPARE(model.genes[1].operonNumber, 3);
        QCOMPARE(model.genes[1].sdPosition, 1000000);
        // A short line keeps its gene's values but still takes its place.
        QCOMPARE(model.genes[2].operonNumber, 0);
        QCOMPARE(model.genes[3].operonNumber, 9);
        // The line beyond the genes is ignored.
        QCOMPARE(model.genes.size(), 4);
    }

    void promoterScores()
    {
        writeText(file("p.txt"),
                  "          b0001         3.5          100          140       TTGACA              -       TATAAT\n"
                  "b0002 1.25 -16 -10 AAAAAA - -\n"
                  "b0001 4 -60 -20 CCCAAA - GGGTTT\n"
                  "short line\n\n");
        ProjectModel model;
        model.promoterMap.insert(QStringLiteral("stale"), PromoterEntry{});
        QVERIFY(readPromoterScores(file("p.txt"), model));
        QCOMPARE(model.promoterMap.size(), 2);
        const PromoterEntry p = model.promoterMap.value(QStringLiteral("b0001"));
        QCOMPARE(p.score, 4.0);
        QCOMPARE(p.start, -60);
        QCOMPARE(p.firstBox, QStringLiteral("CCCAAA"));
        QCOMPARE(p.secondBox, QStringLiteral("GGGTTT"));
        const PromoterEntry q = model.promoterMap.value(QStringLiteral("b0002"));
        QCOMPARE(q.secondBox, QStringLiteral("-"));
        QCOMPARE(q.end, -10);
        QCOMPARE(q.spacer, 0);
    }

    void promoterSigmasComeFromTheScanHoldingTheSameHit()
    {
        writeText(file("p.txt"), "b0001 2.5 -60 -20 TTGACA - TATAAT\nb0002 1.25 -16 -10 CCCAAA - -\n");
        const char* header = "synonym\tstrand\ttss\tstart\tscore\tfirstBox_pos\tfirstBox\tsecondBox_pos\tsecondBox\tspacer\n";
        // b0001's best hit is the sigma-70 one; sigma 38 has a weaker hit at
        // the same place and sigma 24 the same score elsewhere.
        writeText(file("G.sigma70.sca.dat"), QByteArray(header) + "b0001\t+\t140\t-60\t2.50001\t100\tTTGACA\t123\tTATAAT\t17\n");
        writeText(file("G.sigma38.sca.dat"), QByteArray(header) + "b0001\t+\t140\t-60\t1.5\t100\tTTGACA\t123\tTATAAT\t17\n");
        writeText(file("G.sigma24.sca.dat"), QByteArray(header) + "b0002\t+\t90\t-45\t1.25\t60\tCCCAAA\t80\tTATAAT\t14\n");
        ProjectModel model;
        QVERIFY(readPromoterScores(file("p.txt"), model));
        readPromoterSigmas(dir.path() + "/", QStringLiteral("G"), model);
        QCOMPARE(model.promoterMap.value(QStringLiteral("b0001")).sigma, QStringLiteral("70"));
        QCOMPARE(model.promoterMap.value(QStringLiteral("b0002")).sigma, QString());
    }

    void terminatorScores()
    {
        writeText(file("t.txt"),
                  "   12         5         4         6                3.25\t\tGCGCGAAAACGCGCTTTTTT\tT0001\n"
                  "    3         2         3         1                   1\t\tAAAACCCC\tT0002\n"
                  "   40         1         2         1                 9.5\t\tCCCCC\tT0001\n"
                  "\n"
                  "   40         6\n");
        ProjectModel model;
        QVERIFY(readTerminatorScores(file("t.txt"), model));
        QCOMPARE(model.terminators.size(), 3);
        QCOMPARE(model.terminators[0].totalLength, 6 + 4 + 2 * 5);
        QCOMPARE(model.terminators[0].sequence, QStringLiteral("GCGCGAAAACGCGCTTTTTT"));
        QCOMPARE(model.terminatorMap.size(), 2);
        QCOMPARE(model.terminatorMap.value(QStringLiteral("T0001")).start, 40);
        QCOMPARE(model.terminatorMap.value(QStringLiteral("T0001")).score, 9.5);

        QVERIFY(readTerminatorScores(file("t.txt"), model));
        QCOMPARE(model.terminators.size(), 3);
    }

    void tuList()
    {
        writeText(file("tu.txt"),
                  "NC_1\t0012.1\t+\ts0|p|0,s1|p|1\tTTGACA\tTATAAT\t-\n"
                  "NC_1\t0012.2\t+\ts1|p|1\t-\t-\tGCGC\n"
                  "NC_1\t0003.0\t-\ts2|p|2,s9|p|9\t-\t-\t-\n"
                  "NC_1\t0004.0\t-\ts9|p|9\t-\t-\t-\n"
                  "NC_1\t0005.0\n"
                  "\n");
        ProjectModel model = modelWithGenes(3);
        QVERIFY(readTuList(file("tu.txt"), model));
        QCOMPARE(model.tuMap.size(), 3);
        const QList<TuEntry> twelve = model.tuMap.values(12);
        QCOMPARE(twelve.size(), 2);
        QCOMPARE(twelve[0].unitNumber, 2);   // the later line comes first
        QCOMPARE(twelve[1].unitNumber, 1);
        QCOMPARE(twelve[1].geneIndexes, (QVector<int>{0, 1}));
        QCOMPARE(twelve[1].geneNames, QStringLiteral("g0/g1/"));
        QCOMPARE(twelve[1].members, (QStringList{QStringLiteral("s0|p|0"), QStringLiteral("s1|p|1")}));
        QCOMPARE(twelve[1].promoterBox35, QStringLiteral("TTGACA"));
        QCOMPARE(twelve[1].promoterBox10, QStringLiteral("TATAAT"));
        QCOMPARE(twelve[0].terminatorSequence, QStringLiteral("GCGC"));
        // Members outside the genes are left out; a unit left without
        // members is dropped.
        const TuEntry three = model.tuMap.value(3);
        QCOMPARE(three.geneIndexes, QVector<int>{2});
        QCOMPARE(three.strand, QStringLiteral("-"));
        QVERIFY(!model.tuMap.contains(4));

        QVERIFY(readTuList(file("tu.txt"), model));
        QCOMPARE(model.tuMap.size(), 3);
        QVERIFY(!readTuList(file("absent.txt"), model));
        QCOMPARE(model.tuMap.size(), 3);
    }

    void clearResultsEmptiesEverything()
    {
        ProjectModel model = modelWithGenes(2);
        model.promoterMap.insert(QStringLiteral("a"), PromoterEntry{});
        model.terminators.append(TerminatorEntry{});
        model.terminatorMap.insert(QStringLiteral("a"), TerminatorEntry{});
        model.tuMap.insert(1, TuEntry{});
        model.clearResults();
        QVERIFY(model.genes.isEmpty() && model.promoterMap.isEmpty() && model.terminators.isEmpty()
                && model.terminatorMap.isEmpty() && model.tuMap.isEmpty());
        QCOMPARE(model.geneCount, 0);
    }
};

QTEST_GUILESS_MAIN(ReadersTest)
#include "tst_readers.moc"
