#include "ArrowItem.h"

ArrowItem::ArrowItem(const QPolygonF &polygon)
    : QGraphicsPolygonItem(nullptr)
{
    setPolygon(polygon);
    setFlag(QGraphicsItem::ItemIsSelectable, false);
}
