// The operon tree, the gene information table and the gene lookups.
#include "GeneTable.h"
#include "OperonTree.h"
#include "support/ViewsFixtures.h"

#include <QHeaderView>

using namespace viewsfixtures;

namespace {

QStringList topLevelTexts(QTreeWidget *tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(0);
    return texts;
}

QString cell(QTableWidget *table, int row)
{
    QTableWidgetItem *item = table->item(row, 0);
    return item ? item->text() : QString("<none>");
}

bool allAncestorsExpanded(QTreeWidgetItem *item)
{
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        if (!p->isExpanded())
            return false;
    return true;
}

} // namespace

class TestOperonTree : public QObject
{
    Q_OBJECT

private slots:
    void treeHasARowPerOperonNumber()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        QCOMPARE(topLevelTexts(h.tree),
                 QStringList({"Operon 1", "Operon 2", "Operon 3", "Operon 4"}));

        QTreeWidgetItem *first = h.tree->topLevelItem(0);
        QCOMPARE(first->text(1), QString("abcA/abcB"));
        QCOMPARE(first->text(5), QString("+"));
        QCOMPARE(first->childCount(), 2);

        // Operon 2 has two units, the most recently read first.
        QTreeWidgetItem *second = h.tree->topLevelItem(1);
        QCOMPARE(second->text(1), QString());
        QCOMPARE(second->childCount(), 2);
        QCOMPARE(second->child(0)->text(0), QString("Transcript Unit 1"));
        QCOMPARE(second->child(0)->text(1), QString("defD/defE"));
        QCOMPARE(second->child(1)->text(0), QString("Transcript Unit 2"));
        QCOMPARE(second->child(1)->text(1), QString("defC/defD/defE"));
        QCOMPARE(second->child(1)->text(5), QString("-"));
        QCOMPARE(second->child(1)->childCount(), 3);

        // Operon number 2 is absent from the results: an empty row.
        QCOMPARE(h.tree->topLevelItem(2)->childCount(), 0);
        QCOMPARE(h.tree->topLevelItem(3)->childCount(), 1);
    }

    void unitLabelsAreNotCut()
    {
        const ProjectModel m = sampleProject();
        Harness h(m);
        h.tree->setColumnWidth(0, 40);
        h.views->slotPredictOperon();
        const QFontMetrics metrics(h.tree->font());
        QVERIFY(h.tree->columnWidth(0)
                >= metrics.horizontalAdvance("Transcript Unit 2") + 2 * h.tree->indentation());
        // A wider column chosen by the user stays as it is.
        h.tree->setColumnWidth(0, 900);
        h.views->slotPredictOperon();
        QCOMPARE(h.tree->columnWidth(0), 900);
    }

    void geneRowColumns()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        QTreeWidgetItem *row = h.tree->topLevelItem(0)->child(0);
        const QStringList expected = {"", "xb0001", "abcA", "1234", "1500", "+", "267",
                                      "COG0001E", "example protein ", "0"};
        for (int c = 0; c < expected.size(); ++c)
            QCOMPARE(row->text(c), expected[c]);
    }

    void predictingAgainNeverDuplicatesRows()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->slotPredictOperon();
        QCOMPARE(h.tree->topLevelItemCount(), 4);

        // The row connections exist once: one arrow per selected row.
        h.tree->setCurrentItem(geneRow(h.tree, 0));
        QCOMPARE(h.views->arrows().size(), 1);
        QCOMPARE(cell(h.table, 1), QString("xb0001"));
        QVERIFY(h.views->operonScene());
    }

    void treeSkipsMembersOutsideTheGenes()
    {
        ProjectModel m = sampleProject();
        m.tuMap.clear();
        addUnit(m, 0, 1, {0, 42, 1});
        PredictedHarness h(m);
        QCOMPARE(h.tree->topLevelItem(0)->childCount(), 2);
    }

    void geneTableShowsSixteenRows()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->slotDoubleClickedItem(geneRow(h.tree, 0), 0);
        QCOMPARE(h.table->columnCount(), 1);
        QCOMPARE(h.table->rowCount(), 16);
        QTableWidgetItem *header = h.table->horizontalHeaderItem(0);
        QCOMPARE(header->text(), QString("Gene Information"));
        QCOMPARE(header->font().family(), QString("Calibri"));
        QCOMPARE(header->font().pointSize(), 12);
        QCOMPARE(Qt::Alignment(header->textAlignment()), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(h.table->verticalHeaderItem(0)->text(), QString("GI"));
        QCOMPARE(h.table->verticalHeaderItem(10)->text(), QString("Terminator"));
        QCOMPARE(Qt::Alignment(h.table->verticalHeaderItem(15)->textAlignment()),
                 Qt::AlignRight | Qt::AlignVCenter);

        QCOMPARE(cell(h.table, 0), QString("pid-xb0001"));
        QCOMPARE(cell(h.table, 2), QString("abcA"));
        QCOMPARE(cell(h.table, 4), QString("1234"));
        QCOMPARE(cell(h.table, 5), QString("1500"));
        QCOMPARE(cell(h.table, 7), QString("1084..1134 (+ strand), score 4.5"));
        QCOMPARE(cell(h.table, 8), QString("TATAAT"));
        QCOMPARE(cell(h.table, 9), QString("TTGACA"));
        QCOMPARE(cell(h.table, 10), QString("none predicted"));
        QCOMPARE(cell(h.table, 11), QString("-"));
        QCOMPARE(cell(h.table, 14), QString("Examplea coli K-12"));
        QCOMPARE(cell(h.table, 15), m.forwardSequence.mid(1233, 267));

        h.views->slotDoubleClickedItem(geneRow(h.tree, 1), 0);
        QCOMPARE(cell(h.table, 7), QString("none predicted"));
        QCOMPARE(cell(h.table, 8), QString("-"));
        QCOMPARE(cell(h.table, 9), QString("-"));
        QVERIFY(cell(h.table, 10).startsWith("2020..2046 (+ strand), score "));
        QCOMPARE(cell(h.table, 11), QString("GCCCGCCTAATGAGCGGGCTTTTTTTT"));
    }

    void borderlineScoresCountAsMissing()
    {
        ProjectModel m = sampleProject();
        m.terminatorMap["xb0002"].score = 2.0;
        m.promoterMap["xb0001"].score = 0.0;
        PredictedHarness h(m);
        h.views->slotDoubleClickedItem(geneRow(h.tree, 1), 0);
        QCOMPARE(cell(h.table, 10), QString("none predicted"));
        QCOMPARE(cell(h.table, 11), QString("-"));
        h.views->slotDoubleClickedItem(geneRow(h.tree, 0), 0);
        QCOMPARE(cell(h.table, 7), QString("none predicted"));

        // Just above 2 in single precision counts.
        m.terminatorMap["xb0002"].score = 2.0000003;
        h.views->slotDoubleClickedItem(geneRow(h.tree, 1), 0);
        QVERIFY(cell(h.table, 10).startsWith("2020..2046 (+ strand), score "));
    }

    void reverseGeneSequenceReadsFiveToThree()
    {
        const ProjectModel m = sampleProject();
        // Gene 2 is on "-" from 3000 to 3999: the reverse complement.
        const QString stretch = m.forwardSequence.mid(2999, 1000);
        const QString seq = genetable::geneSequence(m, 2);
        QCOMPARE(seq.size(), 1000);
        QString expected = m.complementSequence.mid(2999, 1000);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(seq, expected);
        QCOMPARE(genetable::reverseComplement(seq), stretch);
        QCOMPARE(genetable::reverseComplement("AACGTn-gcat"), QString("atgc-nACGTT"));
    }

    void geneAcrossTheOriginWraps()
    {
        const ProjectModel m = sampleProject();
        // Gene 6 runs from 19 500 over the origin to 300.
        const QString seq = genetable::geneSequence(m, 6);
        QCOMPARE(seq.size(), 801);
        QCOMPARE(seq, m.forwardSequence.mid(19499) + m.forwardSequence.left(300));
        QCOMPARE(genetable::geneSequence(m, 99), QString());
        QCOMPARE(genetable::geneSequence(m, -1), QString());
    }

    void unitRowListsItsMembers()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->slotDoubleClickedItem(h.tree->topLevelItem(0), 0);
        QCOMPARE(h.table->rowCount(), 2);
        QCOMPARE(h.table->horizontalHeaderItem(0)->text(), QString("Operon 1"));
        QCOMPARE(cell(h.table, 0), QString("xb0001|abcA"));
        QCOMPARE(cell(h.table, 1), QString("xb0002|abcB"));

        h.views->slotDoubleClickedItem(h.tree->topLevelItem(1)->child(1), 0);
        QCOMPARE(h.table->horizontalHeaderItem(0)->text(), QString("Transcript Unit 2"));
        QCOMPARE(h.table->rowCount(), 3);

        // An operon whose children are units leaves the table as it is.
        h.views->slotDoubleClickedItem(h.tree->topLevelItem(1), 0);
        QCOMPARE(h.table->rowCount(), 3);
        QCOMPARE(cell(h.table, 0), QString("xb0003|defC"));
    }

    void rowsWithoutAGeneLeaveTheTableAlone()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->slotDoubleClickedItem(geneRow(h.tree, 0), 0);
        QTreeWidgetItem bad;
        bad.setText(9, "99");
        h.views->slotDoubleClickedItem(&bad, 0);
        // The empty operon row has no children and no gene id.
        h.views->slotDoubleClickedItem(h.tree->topLevelItem(2), 0);
        h.views->slotDoubleClickedItem(nullptr, 0);
        QCOMPARE(h.table->rowCount(), 16);
        QCOMPARE(cell(h.table, 1), QString("xb0001"));
    }

    void findGeneSelectsAndExpandsEveryMatch()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.tree->expandAll();
        h.views->findGene("XB000");
        const QList<QTreeWidgetItem *> selected = h.tree->selectedItems();
        // xb0001..xb0005; xb0004 and xb0005 are in both units of operon 2.
        QCOMPARE(selected.size(), 7);
        for (QTreeWidgetItem *row : selected) {
            QVERIFY(row->text(1).contains("xb000"));
            QVERIFY(allAncestorsExpanded(row));
        }
        // Operon 4 holds no match and is collapsed again.
        QVERIFY(!h.tree->topLevelItem(3)->isExpanded());
        QCOMPARE(cell(h.table, 1), QString("xb0001"));
        QVERIFY(h.views->operonScene());
        QVERIFY(!h.views->operonScene()->items().isEmpty());
        // The map is not centred by this lookup.
        QVERIFY(h.views->arrows().isEmpty());
    }

    void findOperonByGeneNameSearchesOnlyNames()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->findOperon("xb", 0);
        QVERIFY(h.tree->selectedItems().isEmpty());

        h.views->findOperon("DEFc", 0);
        QCOMPARE(h.tree->selectedItems().size(), 1);
        QCOMPARE(h.tree->selectedItems().first()->text(2), QString("defC"));
        QCOMPARE(cell(h.table, 2), QString("defC"));
        // This lookup centres the map and points at the gene.
        QCOMPARE(h.views->arrows().size(), 1);
            }

    void findOperonBySynonymShowsTheFirstOfSeveral()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->findOperon("xb0004", 1);
        const QList<QTreeWidgetItem *> selected = h.tree->selectedItems();
        QCOMPARE(selected.size(), 2);
        QVERIFY(selected[0]->parent() != selected[1]->parent());
        QCOMPARE(cell(h.table, 1), QString("xb0004"));
    }

    void searchWithoutMatchOnlyClearsTheTree()
    {
        const ProjectModel m = sampleProject();
        PredictedHarness h(m);
        h.views->findOperon("defC", 0);
        const int rows = h.table->rowCount();
        h.tree->expandAll();
        h.views->findOperon("nothing-like-this", 1);
        QVERIFY(h.tree->selectedItems().isEmpty());
        for (int i = 0; i < h.tree->topLevelItemCount(); ++i)
            QVERIFY(!h.tree->topLevelItem(i)->isExpanded());
        QCOMPARE(h.table->rowCount(), rows);
        QCOMPARE(cell(h.table, 2), QString("defC"));

        // An empty text matches nothing either.
        h.views->findGene(QString());
        QVERIFY(h.tree->selectedItems().isEmpty());
        h.views->findOperon("defC", 5);
        QVERIFY(h.tree->selectedItems().isEmpty());
    }
};

MERIDAN_VIEWS_TEST_MAIN(TestOperonTree)
#include "tst_operontree.moc"
