#include "GlobalView.h"

#include <QPainter>
#include <QWheelEvent>

GlobalView::GlobalView(QWidget *parent)
    : QGraphicsView(parent)
{
}

void GlobalView::setLegendPainter(LegendPainter painter)
{
    legend = std::move(painter);
    viewport()->update();
}

void GlobalView::wheelEvent(QWheelEvent *event)
{
    // One notch of a standard wheel is 120; a partial turn gives 0 steps.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    emit global_scale(delta / 120);
    event->accept();
}

void GlobalView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    emit resized();
}

void GlobalView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!legend || !scene())
        return;
    // From scene to viewport pixels: the legend keeps its place and size
    // whatever the zoom, on screen and when the view is rendered elsewhere.
    painter->save();
    painter->setTransform(viewportTransform().inverted(), true);
    legend(painter, QPointF(8, 8));
    painter->restore();
}
