#include "GeneTable.h"

#include "OperonTree.h"
#include "ProjectModel.h"

#include <QFont>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidgetItem>

namespace genetable {

namespace {

QFont headerFont()
{
    return QFont("Calibri", 12);
}

QTableWidgetItem *headerItem(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFont(headerFont());
    item->setTextAlignment(alignment);
    return item;
}

QChar complementOf(QChar c)
{
    switch (c.unicode()) {
    case 'A': return QLatin1Char('T');
    case 'T': return QLatin1Char('A');
    case 'G': return QLatin1Char('C');
    case 'C': return QLatin1Char('G');
    case 'a': return QLatin1Char('t');
    case 't': return QLatin1Char('a');
    case 'g': return QLatin1Char('c');
    case 'c': return QLatin1Char('g');
    default: return c;
    }
}

} // namespace

QString reverseComplement(const QString &bases)
{
    QString out;
    out.reserve(bases.size());
    for (qsizetype i = bases.size() - 1; i >= 0; --i)
        out.append(complementOf(bases[i]));
    return out;
}

QString geneSequence(const ProjectModel &model, int geneIndex)
{
    if (geneIndex < 0 || geneIndex >= model.genes.size())
        return QString();
    const GeneEntry &gene = model.genes[geneIndex];
    const QString &dna = model.forwardSequence;
    const qsizetype size = dna.size();
    if (gene.start < 1 || gene.start > size)
        return QString();

    QString stretch;
    if (gene.end >= gene.start) {
        stretch = dna.mid(gene.start - 1, qMin<qsizetype>(gene.end, size) - gene.start + 1);
    } else {
        // Across the origin: from the start to the end of the sequence, then
        // from its first base to the gene's end.
        stretch = dna.mid(gene.start - 1) + dna.left(qMax(0, gene.end));
    }
    return gene.strand == "+" ? stretch : reverseComplement(stretch);
}

void showGene(QTableWidget *table, const ProjectModel &model, int g)
{
    if (g < 0 || g >= model.genes.size())
        return;
    const GeneEntry &gene = model.genes[g];
    const PromoterEntry promoter = model.promoterMap.value(gene.synonym);
    const TerminatorEntry terminator = model.terminatorMap.value(gene.synonym);
    const bool hasPromoter = promoter.score > 0;
    // The terminator score counts in single precision, as it was written.
    const bool hasTerminator = float(terminator.score) > 2.0f;

    const QString cells[16] = {
        gene.pid,
        gene.synonym,
        gene.gene,
        gene.strand,
        QString::number(gene.start),
        QString::number(gene.end),
        QString::number(gene.length),
        hasPromoter ? QString("%1 / %2").arg(promoter.start).arg(promoter.end) : QString("-/-"),
        hasPromoter ? promoter.secondBox : QString("-"),
        hasPromoter ? promoter.firstBox : QString("-"),
        hasTerminator ? QString("%1 / %2 / %3").arg(terminator.start).arg(terminator.stem).arg(terminator.loop)
                      : QString("-/-/-"),
        hasTerminator ? terminator.sequence : QString("-"),
        gene.cog,
        gene.product,
        model.genomeTitle,
        geneSequence(model, g),
    };
    const QString headers[16] = {
        QObject::tr("GI"),
        QObject::tr("Synonym"),
        QObject::tr("Gene"),
        QObject::tr("Strand"),
        QObject::tr("Start"),
        QObject::tr("End"),
        QObject::tr("Length"),
        QObject::tr("Promoter Start \n End"),
        QObject::tr("Promoter \n -10 Sequence"),
        QObject::tr("Promoter \n -35 Sequence"),
        QObject::tr("Terminator Start \n Stem Length \n Loop Length"),
        QObject::tr("Terminator Sequence"),
        QObject::tr("COG Number"),
        QObject::tr("Product"),
        QObject::tr("Species"),
        QObject::tr("DNA Sequence"),
    };

    table->clear();
    table->setColumnCount(1);
    table->setRowCount(16);
    table->setHorizontalHeaderItem(
        0, headerItem(QObject::tr("Gene Information"), Qt::AlignLeft | Qt::AlignVCenter));
    for (int row = 0; row < 16; ++row) {
        table->setVerticalHeaderItem(row, headerItem(headers[row], Qt::AlignRight | Qt::AlignVCenter));
        table->setItem(row, 0, new QTableWidgetItem(cells[row]));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

void showMembers(QTableWidget *table, QTreeWidgetItem *item)
{
    table->clear();
    table->setColumnCount(1);
    table->setRowCount(item->childCount());
    table->setHorizontalHeaderItem(
        0, headerItem(item->text(operontree::UnitColumn), Qt::AlignLeft | Qt::AlignVCenter));
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem *child = item->child(i);
        table->setItem(i, 0, new QTableWidgetItem(child->text(operontree::SynonymColumn) + "|"
                                                  + child->text(operontree::GeneColumn)));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

void fillFromTreeRow(QTableWidget *table, const ProjectModel &model, QTreeWidgetItem *item)
{
    if (!table || !item)
        return;
    if (item->childCount() == 0) {
        showGene(table, model, operontree::geneIndexOf(item));
    } else if (item->child(0)->childCount() == 0) {
        showMembers(table, item);
    }
}

} // namespace genetable
