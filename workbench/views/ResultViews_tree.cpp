// The operon tree, the gene information table and the gene lookups of the
// result views. The tree's current row drives every view: a click or the
// keyboard makes a row current, and with it the table, the detail view and
// the map's pointer follow.
#include "ResultViews.h"

#include "GeneTable.h"
#include "MapItems.h"
#include "OperonTree.h"
#include "OperonsScene.h"
#include "ProjectModel.h"

#include <QTreeWidget>

void ResultViews::slotPredictOperon()
{
    if (w.tree) {
        // Filling the tree must not run the views row by row.
        const bool blocked = w.tree->blockSignals(true);
        operontree::fillOperonTree(w.tree, model);
        w.tree->blockSignals(blocked);
        connect(w.tree, &QTreeWidget::currentItemChanged, this, &ResultViews::selectRow,
                Qt::UniqueConnection);
        // A double-click only expands or collapses; clicking the current row
        // again shows it again (after the views were moved elsewhere).
        connect(w.tree, &QTreeWidget::itemClicked, this, &ResultViews::selectRow,
                Qt::UniqueConnection);
    }
    slotOperonView();
}

void ResultViews::selectRow(QTreeWidgetItem *item)
{
    if (!item)
        return;
    slotDoubleClickedItem(item, 0);
    slotGenomeView(item, 0);
    slotCenterOn(item, 0);
    emit geneSelected(geneOfRow(item));
}

void ResultViews::slotDoubleClickedItem(QTreeWidgetItem *item, int)
{
    genetable::fillFromTreeRow(w.table, model, item);
}

void ResultViews::slotRelease()
{
    if (!genomeMapScene)
        return;
    const QList<QGraphicsItem *> selected = genomeMapScene->selectedItems();
    if (selected.isEmpty())
        return;
    auto *feature = dynamic_cast<MapFeature *>(selected.first());
    if (!feature)
        return;
    const int g = feature->firstGene();
    if (g < 0 || g >= model.genes.size())
        return;
    findGene(model.genes[g].synonym);
}

void ResultViews::findGene(const QString &text)
{
    search(text, operontree::SynonymColumn, false);
}

bool ResultViews::findOperon(const QString &text, int field)
{
    if (field == 0)
        return search(text, operontree::GeneColumn, true);
    if (field == 1)
        return search(text, operontree::SynonymColumn, true);
    return false;
}

bool ResultViews::search(const QString &text, int column, bool centreMap)
{
    if (!w.tree)
        return false;
    // An empty text would match every row; it matches none.
    QTreeWidgetItem *first = nullptr;
    if (text.isEmpty()) {
        w.tree->clearSelection();
        w.tree->collapseAll();
    } else {
        first = operontree::selectMatches(w.tree, text, column);
    }
    if (!first)
        return false;
    // The found gene becomes the current row (without dropping the other
    // matches from the selection), which brings every view to it; its
    // operon row is scrolled into sight first so both show.
    {
        const QSignalBlocker block(w.tree);
        w.tree->setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
    }
    QTreeWidgetItem *top = first;
    while (top->parent())
        top = top->parent();
    w.tree->scrollToItem(top, QAbstractItemView::PositionAtTop);
    w.tree->scrollToItem(first, QAbstractItemView::EnsureVisible);
    slotDoubleClickedItem(first, 0);
    slotGenomeView(first, 0);
    if (centreMap)
        slotCenterOn(first, 0);
    emit geneSelected(geneOfRow(first));
    return true;
}
