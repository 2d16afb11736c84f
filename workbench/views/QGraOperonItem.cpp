#include "QGraOperonItem.h"

#include <QCursor>
#include <QDebug>
#include <QPainterPath>

QGraOperonItem::QGraOperonItem(const QPolygonF &polygon)
    : QGraphicsPolygonItem(nullptr)
{
    setPolygon(polygon);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setCursor(Qt::PointingHandCursor);
}

QRectF QGraOperonItem::boundingRect() const
{
    return QGraphicsPolygonItem::boundingRect();
}

QPainterPath QGraOperonItem::shape() const
{
    QPainterPath path;
    path.addPolygon(polygon());
    return path;
}

void QGraOperonItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                           QWidget *widget)
{
    QGraphicsPolygonItem::paint(painter, option, widget);
}

void QGraOperonItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    qDebug() << "operon item release";
    update();
    QGraphicsItem::mouseReleaseEvent(event);
}
