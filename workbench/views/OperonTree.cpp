#include "OperonTree.h"

#include "ProjectModel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelection>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <cstdlib>
#include <functional>

namespace operontree {

namespace {

QTreeWidgetItem *geneRow(const ProjectModel &model, int g)
{
    const GeneEntry &gene = model.genes[g];
    auto *row = new QTreeWidgetItem;
    row->setText(SynonymColumn, gene.synonym);
    row->setText(GeneColumn, gene.gene);
    row->setText(StartColumn, QString::number(gene.start));
    row->setText(EndColumn, QString::number(gene.end));
    row->setText(StrandColumn, gene.strand);
    row->setText(LengthColumn, QString::number(std::abs(gene.end + 1 - gene.start)));
    row->setText(CogColumn, gene.cog);
    row->setText(ProductColumn, gene.product);
    row->setText(GeneIdColumn, QString::number(g));
    return row;
}

// Fills a row with a unit's names and strand and hangs its genes below it;
// a member index outside the genes gets no row.
void fillUnitRow(QTreeWidgetItem *row, const TuEntry &unit, const ProjectModel &model)
{
    // The members' names, a locus tag standing in for a gene without one.
    QStringList names;
    for (int g : unit.geneIndexes)
        if (g >= 0 && g < model.genes.size())
            names << displayName(model.genes[g]);
    row->setText(SynonymColumn, names.join(QLatin1Char('/')));
    row->setText(StrandColumn, unit.strand);
    QList<QTreeWidgetItem *> genes;
    for (int g : unit.geneIndexes) {
        if (g >= 0 && g < model.genes.size())
            genes.append(geneRow(model, g));
    }
    row->addChildren(genes);
}

// Widens the first column so that the longest operon and unit labels show
// in full at their depth, instead of being cut to "Trans...".
void fitUnitColumn(QTreeWidget *tree, int lastOperon, int mostUnits)
{
    const QFontMetrics metrics(tree->font());
    const int operon = metrics.horizontalAdvance(QObject::tr("Operon %1").arg(lastOperon));
    const int unit = metrics.horizontalAdvance(QObject::tr("Transcript Unit %1").arg(mostUnits));
    // One indentation for the expansion sign, one more per level.
    const int indent = tree->indentation();
    const int wanted = qMax(operon + indent, unit + 2 * indent) + 16;
    if (tree->columnWidth(UnitColumn) < wanted)
        tree->setColumnWidth(UnitColumn, wanted);
}

} // namespace

void fillOperonTree(QTreeWidget *tree, const ProjectModel &model)
{
    tree->clear();
    if (model.tuMap.isEmpty())
        return;
    QList<QTreeWidgetItem *> operons;
    const int lastKey = model.tuMap.lastKey();
    int mostUnits = 0;
    for (int k = 0; k <= lastKey; ++k) {
        auto *operon = new QTreeWidgetItem;
        operon->setText(UnitColumn, QObject::tr("Operon %1").arg(k + 1));
        // values() returns the most recently inserted unit of a key first.
        const QList<TuEntry> units = model.tuMap.values(k);
        mostUnits = qMax(mostUnits, int(units.size()));
        if (units.size() == 1) {
            fillUnitRow(operon, units.first(), model);
        } else if (units.size() > 1) {
            QList<QTreeWidgetItem *> children;
            for (int u = 0; u < units.size(); ++u) {
                auto *unitRow = new QTreeWidgetItem;
                unitRow->setText(UnitColumn, QObject::tr("Transcript Unit %1").arg(u + 1));
                fillUnitRow(unitRow, units[u], model);
                children.append(unitRow);
            }
            operon->addChildren(children);
        }
        operons.append(operon);
    }
    tree->addTopLevelItems(operons);
    fitUnitColumn(tree, lastKey + 1, mostUnits);
}

int geneIndexOf(const QTreeWidgetItem *item)
{
    if (!item || item->childCount() > 0)
        return -1;
    bool ok = false;
    const int g = item->text(GeneIdColumn).toInt(&ok);
    return ok ? g : -1;
}

QTreeWidgetItem *selectMatches(QTreeWidget *tree, const QString &text, int column)
{
    tree->clearSelection();
    tree->collapseAll();
    const QList<QTreeWidgetItem *> matches =
        tree->findItems(text, Qt::MatchContains | Qt::MatchRecursive, column);
    // One selection change for all matches: selecting row by row costs time
    // in proportion to the rows already selected, seconds for a few
    // thousand matches.
    QItemSelection selection;
    QAbstractItemModel *model = tree->model();
    const std::function<QModelIndex(QTreeWidgetItem *)> indexOf = [&](QTreeWidgetItem *item) {
        QTreeWidgetItem *parent = item->parent();
        return parent ? model->index(parent->indexOfChild(item), 0, indexOf(parent))
                      : model->index(tree->indexOfTopLevelItem(item), 0);
    };
    for (QTreeWidgetItem *match : matches) {
        const QModelIndex index = indexOf(match);
        selection.select(index, index);
        for (QTreeWidgetItem *p = match->parent(); p; p = p->parent())
            p->setExpanded(true);
    }
    if (!selection.isEmpty())
        tree->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return matches.isEmpty() ? nullptr : matches.first();
}

} // namespace operontree
