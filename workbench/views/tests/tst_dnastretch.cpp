// The stretch of the DNA line window: a gene's operon with two operons on
// each side, cut from the project's genes.
#include "DnaStretch.h"
#include "ProjectModel.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QtTest>

namespace {

// Genes numbered g0, g1, ... with the given operon numbers, 1000 bp apart.
QVector<GeneEntry> genesWithOperons(const QVector<int>& operons)
{
    QVector<GeneEntry> genes;
    for (int i = 0; i < operons.size(); ++i) {
        GeneEntry gene;
        gene.start = 1000 * i + 100;
        gene.end = 1000 * i + 900;
        gene.strand = (i % 3 == 2) ? "-" : "+";
        gene.gene = QString("g%1").arg(i);
        gene.synonym = QString("s%1").arg(i);
        gene.operonNumber = operons[i];
        genes.append(gene);
    }
    return genes;
}

const QVector<int> operons{0, 0, 1, 2, 2, 2, 3, 4, 5, 5, 6, 7};

} // namespace

class TstDnaStretch : public QObject {
    Q_OBJECT

private slots:
    void twoOperonsOnEachSide()
    {
        const DnaStretch s = dnaStretchAround(genesWithOperons(operons), 4);
        // Operon 2 (genes 3-5) with operons 0, 1 before and 3, 4 after.
        QCOMPARE(s.firstGene, 0);
        QCOMPARE(s.geneCounts, (std::vector<int>{2, 1, 3, 1, 1}));
        QCOMPARE(s.geneCount(), 8);
        QCOMPARE(s.names.first(), QString("g0"));
        QCOMPARE(s.names.last(), QString("g7"));
        QCOMPARE(s.synonyms.at(4), QString("s4"));
        QCOMPARE(s.strands, QString("++-++-++"));
        QCOMPARE(s.starts.at(3), 3100);
        QCOMPARE(s.ends.at(3), 3900);
    }

    void fewerOperonsAtTheEnds()
    {
        const QVector<GeneEntry> genes = genesWithOperons(operons);
        const DnaStretch head = dnaStretchAround(genes, 1);
        QCOMPARE(head.firstGene, 0);
        QCOMPARE(head.geneCounts, (std::vector<int>{2, 1, 3}));

        const DnaStretch tail = dnaStretchAround(genes, 11);
        QCOMPARE(tail.firstGene, 8);
        QCOMPARE(tail.geneCounts, (std::vector<int>{2, 1, 1}));
        QCOMPARE(tail.names, (QStringList{"g8", "g9", "g10", "g11"}));
    }

    void middleOfTheGenome()
    {
        const DnaStretch s = dnaStretchAround(genesWithOperons(operons), 7);
        // Operon 4 (gene 7): operons 2, 3 before, 5, 6 after.
        QCOMPARE(s.firstGene, 3);
        QCOMPARE(s.geneCounts, (std::vector<int>{3, 1, 1, 2, 1}));
    }

    void boundedAndEmptyCases()
    {
        // Without operon numbers every gene reads as operon 0.
        const DnaStretch big = dnaStretchAround(genesWithOperons(QVector<int>(500, 0)), 250, 2, 200);
        QCOMPARE(big.geneCount(), 200);
        QCOMPARE(big.operonCount(), 1);
        QVERIFY(big.firstGene <= 250 && big.firstGene + 200 > 250);

        QVERIFY(dnaStretchAround(genesWithOperons(operons), -1).isEmpty());
        QVERIFY(dnaStretchAround(genesWithOperons(operons), 12).isEmpty());
        QVERIFY(dnaStretchAround({}, 0).isEmpty());
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TstDnaStretch test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dnastretch.moc"
