// The circular genome map of the result views: drawing, zoom, centring on a
// gene and the pointing arrow.
#include "ResultViews.h"

#include "ArrowItem.h"
#include "GeneLine.h"
#include "GenomeMapBuilder.h"
#include "GenomeMapGeometry.h"
#include "GlobalView.h"
#include "OperonTree.h"
#include "OperonsScene.h"

#include <QAction>
#include <QBrush>
#include <QPen>
#include <QSlider>
#include <QTimer>
#include <QTreeWidgetItem>

void ResultViews::slotOperonView()
{
    if (!w.genomeView)
        return;
    OperonsScene *old = genomeMapScene;
    if (old)
        disconnect(old, nullptr, this, nullptr);
    // Arrows and strokes of the old map go with it.
    arrowHideTimer->stop();
    mapArrows.clear();

    mapBuilder = std::make_unique<GenomeMapBuilder>(model);
    genomeMapScene = mapBuilder->build();
    mapGeneLines = mapBuilder->geneLines();
    w.genomeView->setScene(genomeMapScene);
    w.genomeView->show();
    w.genomeView->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    delete old;

    w.genomeView->centerOn(mapBuilder->centreLabel());
    if (w.genomeSlider)
        w.genomeSlider->setValue(30);
    w.genomeView->viewport()->update();
    if (w.zoomAction)
        w.zoomAction->setEnabled(true);
    connect(genomeMapScene, &QGraphicsScene::selectionChanged, this, &ResultViews::slotRelease);
}

void ResultViews::drawOperonOnMap(int firstGene, int lastGene)
{
    if (mapBuilder)
        mapBuilder->drawOperonOnMap(firstGene, lastGene);
}

void ResultViews::slotScale(int value)
{
    if (!w.genomeView)
        return;
    const double factor = genomemap::genomeScaleFactor(value, genomeScale);
    w.genomeView->scale(factor, factor);
    genomeScale = value;
    w.genomeView->viewport()->update();
}

void ResultViews::slotGlobalScale(int steps)
{
    // The slider clamps to its range; its value change runs slotScale.
    if (w.genomeSlider)
        w.genomeSlider->setValue(w.genomeSlider->value() + steps);
}

void ResultViews::slotZoom()
{
    if (!w.genomeView)
        return;
    w.genomeView->centerOn(0, 0);
    if (w.genomeSlider)
        w.genomeSlider->setValue(30);
    w.genomeView->viewport()->update();
}

void ResultViews::slotArrow(double x, double y, int direction, int)
{
    if (!genomeMapScene)
        return;
    QPolygonF polygon;
    if (direction == 1)
        polygon << QPointF(x + 0.2, y) << QPointF(x + 1.5, y + 0.375) << QPointF(x + 1.5, y - 0.375);
    else if (direction == 0)
        polygon << QPointF(x - 0.2, y) << QPointF(x - 1.5, y + 0.375) << QPointF(x - 1.5, y - 0.375);

    auto *arrow = new ArrowItem(polygon);
    const QColor blue(0, 0, 255);
    // A one-pixel outline at any zoom: a pen one scene unit wide would bury
    // the small triangle when the map is zoomed in.
    arrow->setPen(QPen(blue, 0));
    arrow->setBrush(QBrush(blue, Qt::SolidPattern));
    genomeMapScene->addItem(arrow);
    for (ArrowItem *earlier : std::as_const(mapArrows))
        earlier->hide();
    mapArrows.append(arrow);
    // Shown now, hidden by the timer later; the call returns at once.
    arrowHideTimer->start();
}

void ResultViews::hideLatestArrow()
{
    if (!mapArrows.isEmpty())
        mapArrows.last()->hide();
}

void ResultViews::slotCenterOn(QTreeWidgetItem *item, int)
{
    if (!item || item->childCount() > 0 || !w.genomeView)
        return;
    const int g = operontree::geneIndexOf(item);
    if (g < 0 || g >= mapGeneLines.size() || !mapGeneLines[g])
        return;
    GeneLine *line = mapGeneLines[g];
    w.genomeView->centerOn(line);
    line->setActive(true);
    if (w.genomeSlider)
        w.genomeSlider->setValue(95);
    w.genomeView->viewport()->update();
    slotArrow(line->x2, line->y2, line->x1 < line->x2 ? 1 : 0, g);
}
