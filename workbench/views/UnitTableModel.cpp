#include "UnitTableModel.h"

#include "meridan/genome/results/OperonPairs.h"

#include "FeatureSpans.h"
#include "ProjectModel.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

QString where(const featurespans::Span &span)
{
    return QStringLiteral("%1..%2").arg(span.from).arg(span.to);
}

// The promoter in front of the unit (its first gene on its strand) and the
// terminator behind it (its last), as the gene table tells them.
void signalsOf(const ProjectModel &model, const QVector<int> &genes, QString &promoter, QString &terminator)
{
    if (genes.isEmpty())
        return;
    const GeneEntry &first = model.genes[genes.first()];
    const bool forward = first.strand == QLatin1String("+");
    const GeneEntry &head = forward ? first : model.genes[genes.last()];
    const GeneEntry &tail = forward ? model.genes[genes.last()] : first;
    if (const auto p = model.promoterMap.constFind(head.synonym); p != model.promoterMap.constEnd() && p->score > 0)
        promoter = QObject::tr("%1, score %2").arg(where(featurespans::promoterSpan(head, *p))).arg(p->score, 0, 'g', 3);
    if (const auto t = model.terminatorMap.constFind(tail.synonym);
        t != model.terminatorMap.constEnd() && float(t->score) > 2.0f)
        terminator = QObject::tr("%1, score %2").arg(where(featurespans::terminatorSpan(tail, *t))).arg(t->score, 0, 'g', 3);
}

} // namespace

UnitTableModel::UnitTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void UnitTableModel::setProject(const ProjectModel &model, const browser::Features &features, Kind kind,
                                const QHash<QString, double> &links)
{
    beginResetModel();
    kind_ = kind;
    links_ = links;
    rows_.clear();
    const QVector<browser::Feature> &source = kind == Operons ? features.operons : features.units;
    int unitOfOperon = 0;
    int lastOperon = -1;
    for (const browser::Feature &f : source) {
        Row row;
        unitOfOperon = f.operon == lastOperon ? unitOfOperon + 1 : 1;
        lastOperon = f.operon;
        row.name = browser::operonName(f.operon);
        if (kind == Units && f.alternative)
            row.name += QObject::tr(", unit %1").arg(unitOfOperon);
        row.start = f.first;
        row.end = f.last;
        row.strand = QString(f.strand);
        row.alternative = f.alternative;
        row.geneIndexes = f.members;
        QStringList products;
        for (int g : row.geneIndexes) {
            const GeneEntry &gene = model.genes[g];
            row.genes << displayName(gene);
            row.tags << gene.synonym;
            products << gene.product.trimmed();
        }
        signalsOf(model, row.geneIndexes, row.promoter, row.terminator);
        for (int k = 1; k < row.geneIndexes.size(); ++k) {
            const QString key = row.tags[k - 1] + QLatin1Char('\t') + row.tags[k];
            const auto it = links.constFind(key);
            if (it != links.constEnd())
                row.link = row.link < 0 ? *it : std::min(row.link, *it);
        }
        row.search = (QStringList{row.name} + row.genes + row.tags + products).join(QLatin1Char('\n'));
        rows_ << row;
    }
    endResetModel();
}

int UnitTableModel::rowOfGene(int gene) const
{
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_[r].geneIndexes.contains(gene))
            return r;
    return -1;
}

int UnitTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int UnitTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString UnitTableModel::text(const Row &row, int column) const
{
    switch (column) {
    case Name: return row.name;
    case Start: return QString::number(row.start);
    case End: return QString::number(row.end);
    case Strand: return row.strand;
    case Length: return QString::number(row.end - row.start + 1);
    case Genes: return row.genes.join(QLatin1Char('/'));
    case LocusTags: return row.tags.join(QLatin1Char(','));
    case Promoter: return row.promoter.isEmpty() ? QStringLiteral("-") : row.promoter;
    case Terminator: return row.terminator.isEmpty() ? QStringLiteral("-") : row.terminator;
    case Alternative: return row.alternative ? QObject::tr("yes") : QObject::tr("no");
    case LinkProbability: return row.link < 0 ? QStringLiteral("-") : QString::number(row.link, 'f', 3);
    default: return {};
    }
}

QVariant UnitTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row &row = rows_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(row, index.column());
    case SearchRole:
        return row.search;
    case GeneRole:
        return row.geneIndexes.isEmpty() ? -1 : row.geneIndexes.first();
    case SortRole:
        switch (index.column()) {
        case Start: return row.start;
        case End: return row.end;
        case Length: return row.end - row.start + 1;
        case LinkProbability: return row.link;
        case Genes: return int(row.genes.size());
        case Name: return index.row();   // genome order
        default: return text(row, index.column());
        }
    case Qt::TextAlignmentRole:
        if (index.column() == Start || index.column() == End || index.column() == Length
            || index.column() == LinkProbability)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant UnitTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const names[ColumnCount] = {"Name",     "Start",      "End",         "Strand",
                                                   "Length",   "Genes",      "Locus tags",  "Promoter",
                                                   "Terminator", "Alternative", "Link probability"};
    return section >= 0 && section < ColumnCount ? QObject::tr(names[section]) : QVariant();
}

QString UnitTableModel::tsv(const QVector<int> &rows) const
{
    QStringList lines;
    QStringList header;
    const int columns = hasLinks() ? ColumnCount : LinkProbability;
    for (int c = 0; c < columns; ++c)
        header << headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << header.join(QLatin1Char('\t'));
    for (int r : rows) {
        if (r < 0 || r >= rows_.size())
            continue;
        QStringList fields;
        for (int c = 0; c < columns; ++c)
            fields << text(rows_[r], c).replace(QLatin1Char('\t'), QLatin1Char(' '));
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QHash<QString, double> readOperonLinks(const QString &path, QString *problem)
{
    QHash<QString, double> links;
    if (!QFileInfo::exists(path))
        return links;
    const auto read = meridan::genome::results::readOperonPairsFile(QFile::encodeName(path).toStdString());
    if (!read.problems.empty()) {
        if (problem)
            *problem = QString::fromStdString(read.problems.front().text());
        return {};
    }
    for (const auto &row : read.rows)
        links.insert(QString::fromStdString(row.first + '\t' + row.second), row.probability);
    return links;
}
