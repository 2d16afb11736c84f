// The tables of operons and TUs: their rows against the project, numeric
// sorting, the text filter over names, locus tags and products, selection
// in step without echo, the TSV of the selected rows, and the link
// probability column read from a pairs table (bad lines named).
#include "UnitTablePanel.h"

#include "support/ViewsFixtures.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>

using namespace viewsfixtures;

namespace {

QString cell(const UnitTablePanel &panel, int row, int column)
{
    return panel.proxy()->index(row, column).data().toString();
}

} // namespace

class TstUnitTable : public QObject {
    Q_OBJECT

    ProjectModel model = [] {
        ProjectModel m = sampleProject();
        m.genes[5].product = "UDP-galactose 4-epimerase ";
        return m;
    }();
    browser::Features features = browser::buildFeatures(model);

private slots:
    void rowsSortAndFilter()
    {
        UnitTablePanel panel;
        panel.setProject(model, features);
        QCOMPARE(panel.proxy()->rowCount(), 3);   // operons of keys 0, 1 and 3
        QCOMPARE(cell(panel, 0, UnitTableModel::Name), QStringLiteral("Operon 1"));
        QCOMPARE(cell(panel, 1, UnitTableModel::Start), QStringLiteral("3000"));
        QCOMPARE(cell(panel, 1, UnitTableModel::End), QStringLiteral("5800"));
        QCOMPARE(cell(panel, 1, UnitTableModel::Length), QStringLiteral("2801"));
        QCOMPARE(cell(panel, 1, UnitTableModel::Genes), QStringLiteral("defC/defD/defE"));
        QCOMPARE(cell(panel, 1, UnitTableModel::Alternative), QStringLiteral("no"));
        QCOMPARE(cell(panel, 0, UnitTableModel::Promoter), QStringLiteral("1084..1134, score 4.5"));
        QCOMPARE(cell(panel, 0, UnitTableModel::Terminator).left(10), QStringLiteral("2020..2046"));

        panel.showKind(UnitTableModel::Units);
        QCOMPARE(panel.proxy()->rowCount(), 4);
        int alternatives = 0;
        for (int r = 0; r < 4; ++r)
            alternatives += cell(panel, r, UnitTableModel::Alternative) == "yes";
        QCOMPARE(alternatives, 2);

        // Length sorts as a number: 2801 > 1001 > 767 > 1801 would be wrong as text.
        panel.view()->sortByColumn(UnitTableModel::Length, Qt::DescendingOrder);
        qint64 previous = std::numeric_limits<qint64>::max();
        for (int r = 0; r < panel.proxy()->rowCount(); ++r) {
            const qint64 length = cell(panel, r, UnitTableModel::Length).toLongLong();
            QVERIFY(length <= previous);
            previous = length;
        }
        // The filter reaches products and locus tags, any case.
        panel.filterField()->setText("GALACTOSE");
        QCOMPARE(panel.proxy()->rowCount(), 1);
        QCOMPARE(cell(panel, 0, UnitTableModel::LocusTags), QStringLiteral("xb0010"));
        panel.filterField()->setText("xb0004");
        QCOMPARE(panel.proxy()->rowCount(), 2);   // both units of operon 2
        panel.filterField()->clear();
        QCOMPARE(panel.proxy()->rowCount(), 4);
    }

    void selectionAndTsv()
    {
        UnitTablePanel panel;
        panel.setProject(model, features);
        QSignalSpy activated(&panel, &UnitTablePanel::geneActivated);
        // Selection from elsewhere moves the table without announcing it.
        panel.selectGene(3);
        QCOMPARE(panel.view()->currentIndex().row(), 1);
        QCOMPARE(activated.size(), 0);
        // A row chosen in the table announces its first gene.
        panel.view()->setCurrentIndex(panel.proxy()->index(2, 0));
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated.first().first().toInt(), 5);

        panel.view()->selectionModel()->select(panel.proxy()->index(0, 0),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        panel.view()->selectionModel()->select(panel.proxy()->index(2, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QStringList lines = panel.selectedTsv().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("Name\tStart\tEnd\tStrand\tLength\tGenes"));
        QVERIFY(!lines[0].contains("Link probability"));
        QCOMPARE(lines[1].split('\t').size(), 10);
        QVERIFY(lines[1].startsWith("Operon 1\t1234\t2000\t+\t767\tabcA/abcB\txb0001,xb0002\t"));
        QVERIFY(lines[2].startsWith("Operon 4\t8000\t9000\t"));
    }

    void linkProbabilitiesFromThePairsTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("NC_TEST_operon_pairs.tsv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("first\tsecond\tstrand\tgap\tprobability\nxb0001\txb0002\t+\t100\t0.9\n"
                   "xb0003\txb0004\t+\t101\t0.8\nxb0004\txb0005\t+\t100\t0.6\n");
        file.close();
        QString problem;
        const QHash<QString, double> links = readOperonLinks(path, &problem);
        QVERIFY(problem.isEmpty());
        QCOMPARE(links.size(), 3);
        UnitTablePanel panel;
        panel.setProject(model, features, links);
        QVERIFY(!panel.view()->isColumnHidden(UnitTableModel::LinkProbability));
        QCOMPARE(cell(panel, 0, UnitTableModel::LinkProbability), QStringLiteral("0.900"));
        QCOMPARE(cell(panel, 1, UnitTableModel::LinkProbability), QStringLiteral("0.600"));   // the weakest link
        QCOMPARE(cell(panel, 2, UnitTableModel::LinkProbability), QStringLiteral("-"));       // one gene
        QVERIFY(panel.selectedTsv().startsWith("Name\tStart\tEnd\tStrand\tLength\tGenes\tLocus tags\tPromoter\t"
                                               "Terminator\tAlternative\tLink probability\n"));

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("first\tsecond\tstrand\tprobability\nxb0001\txb0002\t+\t0.9\nxb0003\txb0004\t+\tlikely\n");
        file.close();
        QVERIFY(readOperonLinks(path, &problem).isEmpty());
        QCOMPARE(problem, path + ":3: the probability is no number from 0 to 1");
        QVERIFY(readOperonLinks(dir.filePath("absent.tsv")).isEmpty());
    }
};

MERIDAN_VIEWS_TEST_MAIN(TstUnitTable)
#include "tst_unittable.moc"
