// The operon tree, the gene information table and the gene lookups of the
// result views.
#include "ResultViews.h"

#include "GeneLine.h"
#include "GeneTable.h"
#include "OperonTree.h"
#include "OperonsScene.h"
#include "ProjectModel.h"
#include "QGraOperonItem.h"

#include <QApplication>
#include <QTreeWidget>

void ResultViews::slotPredictOperon()
{
    if (w.tree) {
        operontree::fillOperonTree(w.tree, model);
        // One double-click fills the table, draws the unit and centres the
        // map, in this order; each connection is made once.
        connect(w.tree, &QTreeWidget::itemDoubleClicked, this,
                &ResultViews::slotDoubleClickedItem, Qt::UniqueConnection);
        connect(w.tree, &QTreeWidget::itemDoubleClicked, this, &ResultViews::slotGenomeView,
                Qt::UniqueConnection);
        connect(w.tree, &QTreeWidget::itemDoubleClicked, this, &ResultViews::slotCenterOn,
                Qt::UniqueConnection);
    }
    slotOperonView();
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
    QGraphicsItem *item = selected.first();
    int g = -1;
    // The axis marks are plain line items: only genes and operons count.
    if (auto *line = dynamic_cast<GeneLine *>(item))
        g = line->geneIndex;
    else if (dynamic_cast<QGraOperonItem *>(item))
        g = item->data(0).toInt();
    if (g < 0 || g >= model.genes.size())
        return;
    findGene(model.genes[g].synonym);
}

void ResultViews::findGene(const QString &text)
{
    search(text, operontree::SynonymColumn, false);
}

void ResultViews::findOperon(const QString &text, int field)
{
    if (field == 0)
        search(text, operontree::GeneColumn, true);
    else if (field == 1)
        search(text, operontree::SynonymColumn, true);
}

void ResultViews::search(const QString &text, int column, bool centreMap)
{
    if (!w.tree)
        return;
    // An empty text would match every row; it matches none.
    QTreeWidgetItem *first = nullptr;
    if (text.isEmpty()) {
        w.tree->clearSelection();
        w.tree->collapseAll();
    } else {
        first = operontree::selectMatches(w.tree, text, column);
    }
    if (first) {
        w.tree->scrollToItem(first);
        slotDoubleClickedItem(first, 3);
        slotGenomeView(first, 3);
        if (centreMap)
            slotCenterOn(first, 3);
    }
    QApplication::beep();
}
