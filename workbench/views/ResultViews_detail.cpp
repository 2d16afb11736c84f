// The operon detail view of the result views, and the SVG export of both
// drawings.
#include "ResultViews.h"

#include "GenomeMapGeometry.h"
#include "GlobalView.h"
#include "OperonDetail.h"
#include "ProjectModel.h"

#include <QGraphicsScene>
#include <QGraphicsView>

void ResultViews::replaceOperonScene()
{
    QGraphicsScene *old = detailScene;
    detailScene = new QGraphicsScene;
    if (w.operonView) {
        w.operonView->setScene(detailScene);
        w.operonView->show();
        w.operonView->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    }
    delete old;
}

void ResultViews::slotGenomeView(QTreeWidgetItem *item, int)
{
    replaceOperonScene();
    drawGeneItem(operondetail::unitRowFor(item));
    if (w.operonView) {
        w.operonView->centerOn(300, 230);
        w.operonView->viewport()->update();
    }
}

void ResultViews::drawGeneItem(QTreeWidgetItem *item)
{
    replaceOperonScene();
    operondetail::drawUnit(detailScene, model, item);
}

void ResultViews::slotGeneScale(int value)
{
    if (!w.operonView)
        return;
    const double factor = genomemap::geneScaleFactor(value, geneScale);
    w.operonView->scale(factor, factor);
    geneScale = value;
    w.operonView->viewport()->update();
}

void ResultViews::saveSvg()
{
    const QString fileName =
        askSaveFileName(w.dialogParent, tr("Save Genome as SVG"), svgexport::svgFilter());
    if (fileName.isEmpty())
        return;
    svgexport::writeGenomeSvg(w.genomeView, fileName);
}

void ResultViews::saveOperonSvg()
{
    // Nothing to save before a unit has been drawn: do not ask.
    if (!detailScene)
        return;
    const QString fileName =
        askSaveFileName(w.dialogParent, tr("Save Operon as SVG"), svgexport::svgFilter());
    if (fileName.isEmpty())
        return;
    svgexport::writeOperonSvg(detailScene, fileName);
}
