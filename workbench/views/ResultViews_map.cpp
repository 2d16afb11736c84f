// The circular genome map of the result views: drawing, fitting and zoom,
// the gene names shown at each zoom, and the pointer arrow at a gene.
#include "ResultViews.h"

#include "ArrowItem.h"
#include "GenomeMapBuilder.h"
#include "GlobalView.h"
#include "MapItems.h"
#include "OperonsScene.h"
#include "ProjectModel.h"

#include <QAction>
#include <QBrush>
#include <QCursor>
#include <QPainter>
#include <QPen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QTreeWidgetItem>

#include <cmath>

void ResultViews::slotOperonView()
{
    if (!w.genomeView)
        return;
    OperonsScene *old = genomeMapScene;
    if (old)
        disconnect(old, nullptr, this, nullptr);
    // Arrows of the old map go with it.
    arrowHideTimer->stop();
    mapArrows.clear();

    mapBuilder = std::make_unique<GenomeMapBuilder>(model);
    genomeMapScene = mapBuilder->build();
    w.genomeView->setScene(genomeMapScene);
    w.genomeView->show();
    delete old;
    GenomeMapBuilder *builder = mapBuilder.get();
    w.genomeView->setLegendPainter(
        [builder](QPainter *painter, QPointF at) { builder->paintLegend(painter, at); },
        GenomeMapBuilder::legendSize());

    slotZoom();
    if (w.zoomAction)
        w.zoomAction->setEnabled(true);
    connect(genomeMapScene, &QGraphicsScene::selectionChanged, this, &ResultViews::slotRelease);
    emit mapAvailable(hasMap());
}

void ResultViews::drawOperonOnMap(int firstGene, int lastGene)
{
    if (mapBuilder)
        mapBuilder->drawOperonOnMap(firstGene, lastGene);
}

namespace {

// The fitted map in the view (the legend has a margin of its own): its
// scale and where the map's centre goes, in viewport pixels.
struct MapFit {
    double scale;
    QPointF centre;
};

MapFit fitInView(const QSize &size)
{
    const double side = GenomeMapBuilder::mapRect().width();
    return {qMax(1e-4, qMin(size.width(), size.height()) / side), QPointF(size.width() / 2.0, size.height() / 2.0)};
}

} // namespace

double ResultViews::mapFitScale() const
{
    if (!w.genomeView)
        return 1.0;
    return fitInView(w.genomeView->viewport()->size()).scale;
}

void ResultViews::applyMapZoom(bool aboutMouse)
{
    if (!w.genomeView || !w.genomeSlider)
        return;
    const double wanted = mapFitScale() * std::pow(2.0, w.genomeSlider->value() / 10.0);
    const double current = w.genomeView->transform().m11();
    if (current > 0 && std::abs(wanted / current - 1.0) > 1e-9) {
        // Zooming in about the empty middle of the circle would leave nothing
        // in view: the slider and the buttons then zoom about the gene last
        // pointed at, or about the origin on the rings.
        const QPointF centre = w.genomeView->mapToScene(w.genomeView->viewport()->rect().center());
        const bool emptyMiddle = mapBuilder && mapBuilder->circular()
            && std::hypot(centre.x(), centre.y()) < 0.9 * mapBuilder->rings().scaleRadius;
        const QPoint mouse = w.genomeView->viewport()->mapFromGlobal(QCursor::pos());
        const QPointF fixed = aboutMouse && w.genomeView->viewport()->rect().contains(mouse)
            ? w.genomeView->mapToScene(mouse) : centre;
        w.genomeView->setTransformationAnchor(aboutMouse ? QGraphicsView::AnchorUnderMouse
                                                         : QGraphicsView::AnchorViewCenter);
        w.genomeView->scale(wanted / current, wanted / current);
        w.genomeView->setTransformationAnchor(QGraphicsView::AnchorViewCenter);
        refreshMapLabels();
        if (!aboutMouse && wanted > current && emptyMiddle) {
            w.genomeView->centerOn(mapArrows.isEmpty() ? QPointF(0, -mapBuilder->rings().reverseOperons.outer)
                                                       : mapArrows.last()->pos());
        } else if (mapBuilder) {
            // The rings were laid out anew for the zoom: what was under the
            // mouse (or in the middle) on them stays there.
            const QPointF moved = mapBuilder->followRings(fixed, current, wanted);
            const QPointF middle = w.genomeView->mapToScene(w.genomeView->viewport()->rect().center());
            if (moved != fixed)
                w.genomeView->centerOn(middle + (moved - fixed));
        }
    }
    refreshMapLabels();
}

void ResultViews::refreshMapLabels()
{
    if (mapBuilder && w.genomeView) {
        mapBuilder->updateLabels(w.genomeView->transform().m11());
        // The rings moved with the zoom: the pointer follows its gene.
        QPointF anchor, direction;
        if (!mapArrows.isEmpty() && mapBuilder->geneAnchor(mapBuilder->marked(), &anchor, &direction))
            mapArrows.last()->setPos(anchor);
    }
    if (w.genomeView)
        w.genomeView->viewport()->update();
}

void ResultViews::slotScale(int)
{
    applyMapZoom(wheelZoom);
}

void ResultViews::slotGlobalScale(int steps)
{
    // The slider clamps to its range; its value change zooms about the mouse.
    if (!w.genomeSlider || steps == 0)
        return;
    wheelZoom = true;
    w.genomeSlider->setValue(w.genomeSlider->value() + steps * WheelLevels);
    wheelZoom = false;
}

void ResultViews::zoomIn()
{
    if (w.genomeSlider)
        w.genomeSlider->setValue(w.genomeSlider->value() + 2 * WheelLevels);
}

void ResultViews::zoomOut()
{
    if (w.genomeSlider)
        w.genomeSlider->setValue(w.genomeSlider->value() - 2 * WheelLevels);
}

void ResultViews::slotZoom()
{
    if (!w.genomeView)
        return;
    if (w.genomeSlider) {
        const QSignalBlocker block(w.genomeSlider);
        w.genomeSlider->setValue(0);
    }
    const QSize size = w.genomeView->viewport()->size();
    const MapFit fit = fitInView(size);
    w.genomeView->setTransform(QTransform::fromScale(fit.scale, fit.scale));
    // The map's centre where the fit puts it, clear of the legend.
    const QPointF middle(size.width() / 2.0, size.height() / 2.0);
    w.genomeView->centerOn((middle - fit.centre) / fit.scale);
    refreshMapLabels();
}

void ResultViews::pointAtGene(int g)
{
    QPointF anchor, direction;
    if (!genomeMapScene || !mapBuilder || !mapBuilder->geneAnchor(g, &anchor, &direction))
        return;
    // A triangle of constant screen size just outside the gene's ring,
    // its tip at the ring's edge.
    const QPointF side(-direction.y(), direction.x());
    const double length = GenomeMapBuilder::PointerLength;
    const QPolygonF polygon({QPointF(0, 0), direction * length + side * 7, direction * length - side * 7});
    auto *arrow = new ArrowItem(polygon);
    const QColor blue(0, 0, 255);
    arrow->setPen(QPen(blue, 0));
    arrow->setBrush(QBrush(blue, Qt::SolidPattern));
    arrow->setFlag(QGraphicsItem::ItemIgnoresTransformations, true);
    arrow->setPos(anchor);
    arrow->setZValue(5);
    genomeMapScene->addItem(arrow);
    for (ArrowItem *earlier : std::as_const(mapArrows))
        earlier->hide();
    mapArrows.append(arrow);
    // Shown now, hidden by the timer later; the call returns at once.
    arrowHideTimer->start();
    mapBuilder->setMarkedGene(g);
    refreshMapLabels();
}

void ResultViews::hideLatestArrow()
{
    if (!mapArrows.isEmpty())
        mapArrows.last()->hide();
}

void ResultViews::slotCenterOn(QTreeWidgetItem *item, int)
{
    const int g = geneOfRow(item);
    if (!w.genomeView || !mapBuilder || g < 0 || g >= model.genes.size())
        return;
    QPointF anchor, direction;
    if (!mapBuilder->geneAnchor(g, &anchor, &direction))
        return;
    // Zoom in (never out) until about 40 kb around the gene fill the view.
    if (w.genomeSlider && model.genomeLength > 0) {
        const double sceneSpan = mapBuilder->sceneLength(40000.0);
        const QSize size = w.genomeView->viewport()->size();
        const double wanted = qMin(size.width(), size.height()) / qMax(sceneSpan, 1.0);
        const int level = int(std::ceil(10 * std::log2(qMax(1.0, wanted / mapFitScale()))));
        if (level > w.genomeSlider->value())
            w.genomeSlider->setValue(qMin(level, 60));
    }
    // The rings were laid out again for the zoom.
    mapBuilder->geneAnchor(g, &anchor, &direction);
    w.genomeView->centerOn(anchor);
    pointAtGene(g);
    w.genomeView->viewport()->update();
}

void ResultViews::paintMap(QPainter *painter, const QRectF &target)
{
    if (!genomeMapScene || !mapBuilder)
        return;
    const QRectF source = GenomeMapBuilder::mapRect();
    const double scale = target.width() / source.width();
    // The names shown are those with room at the drawing's own scale (with
    // no pointer in the drawing, the marked name at its gene).
    mapBuilder->setExporting(true);
    mapBuilder->updateLabels(scale);
    for (ArrowItem *arrow : std::as_const(mapArrows))
        arrow->setVisible(false);
    genomeMapScene->render(painter, target, source, Qt::KeepAspectRatio);
    mapBuilder->setExporting(false);
    mapBuilder->paintLegend(painter, target.topLeft() + QPointF(8, 8));
    refreshMapLabels();
}
