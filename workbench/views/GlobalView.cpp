#include "GlobalView.h"

#include <QWheelEvent>

GlobalView::GlobalView(QWidget *parent)
    : QGraphicsView(parent)
{
}

void GlobalView::wheelEvent(QWheelEvent *event)
{
    // One notch of a standard wheel is 120; a partial turn gives 0 steps.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    emit global_scale(delta / 120);
    event->accept();
}
