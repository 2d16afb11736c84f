#include "GeneTable.h"

#include "OperonTree.h"
#include "FeatureSpans.h"
#include "ProjectModel.h"

#include "meridan/genome/GenomeSequence.h"

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

} // namespace

QString reverseComplement(const QString &bases)
{
    const QByteArray latin = bases.toLatin1();
    const std::string reversed = meridan::genome::reverseComplementOf(
        std::string_view(latin.constData(), std::size_t(latin.size())), '\0', meridan::genome::LowerCaseBases::Kept);
    return QString::fromLatin1(reversed.data(), qsizetype(reversed.size()));
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

namespace {

// A genome position kept within 1..length (a site may reach over the origin).
qint64 onGenome(qint64 position, qint64 length)
{
    if (length <= 0)
        return position;
    position %= length;
    return position <= 0 ? position + length : position;
}

QString range(qint64 from, qint64 to, qint64 length)
{
    return QStringLiteral("%1..%2").arg(onGenome(from, length)).arg(onGenome(to, length));
}

} // namespace

QString promoterText(const ProjectModel &model, const GeneEntry &gene, const PromoterEntry &p)
{
    const featurespans::Span span = featurespans::promoterSpan(gene, p);
    QString sigma;
    if (!p.sigma.isEmpty())
        sigma = QObject::tr(", \u03c3%1").arg(p.sigma);
    else if (!p.name.isEmpty() && p.secondBox == "-")
        sigma = QObject::tr(", sigma38");
    return QObject::tr("%1 (%2 strand), score %3%4")
        .arg(range(span.from, span.to, model.genomeLength), gene.strand)
        .arg(QString::number(p.score, 'g', 4), sigma);
}

QString terminatorText(const ProjectModel &model, const GeneEntry &gene, const TerminatorEntry &t)
{
    const featurespans::Span span = featurespans::terminatorSpan(gene, t);
    return QObject::tr("%1 (%2 strand), score %3, stem %4 bp, loop %5 bp")
        .arg(range(span.from, span.to, model.genomeLength), gene.strand)
        .arg(QString::number(t.score, 'g', 4))
        .arg(t.stem)
        .arg(t.loop);
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
    const qint64 span = gene.end >= gene.start ? qint64(gene.end) - gene.start + 1
                                               : qint64(gene.end) + model.genomeLength - gene.start + 1;
    // Protein genes have a PID and a length in amino acids; RNA genes neither.
    const bool protein = !gene.pid.isEmpty() && gene.pid != "-";
    const QString length = protein ? QObject::tr("%1 aa (%2 bp)").arg(gene.length).arg(span)
                                   : QObject::tr("%1 bp").arg(span);

    const QString cells[16] = {
        gene.pid,
        gene.synonym,
        displayName(gene),
        gene.strand,
        QString::number(gene.start),
        QString::number(gene.end),
        length,
        hasPromoter ? promoterText(model, gene, promoter) : QObject::tr("none predicted"),
        hasPromoter ? promoter.secondBox : QString("-"),
        hasPromoter ? promoter.firstBox : QString("-"),
        hasTerminator ? terminatorText(model, gene, terminator) : QObject::tr("none predicted"),
        hasTerminator ? terminator.sequence : QString("-"),
        gene.cog,
        gene.product,
        model.genomeTitle,
        geneSequence(model, g),
    };
    const QString headers[16] = {
        QObject::tr("GI"),
        QObject::tr("Locus tag"),
        QObject::tr("Gene"),
        QObject::tr("Strand"),
        QObject::tr("Start (bp)"),
        QObject::tr("End (bp)"),
        QObject::tr("Length"),
        QObject::tr("Promoter"),
        QObject::tr("Promoter \n -10 Sequence"),
        QObject::tr("Promoter \n -35 Sequence"),
        QObject::tr("Terminator"),
        QObject::tr("Terminator Sequence"),
        QObject::tr("COG Number"),
        QObject::tr("Product"),
        QObject::tr("Organism"),
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
