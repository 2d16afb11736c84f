#include "GeneLine.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

GeneLine::GeneLine(qreal ax1, qreal ay1, qreal ax2, qreal ay2, int index,
                   QGraphicsItem *parent, QGraphicsScene *scene)
    : QGraphicsLineItem(parent), QObject(nullptr)
{
    // The base pen only sizes the bounding box and the hit area; a thin
    // cosmetic pen keeps both close to the one-pixel stroke that is painted.
    QGraphicsLineItem::setPen(QPen(Qt::black, 0));
    setAcceptHoverEvents(true);
    setLine(ax1, ay1, ax2, ay2);
    geneIndex = index;
    applyGeneColor();
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setCursor(Qt::PointingHandCursor);
    if (scene && !parent)
        scene->addItem(this);
}

void GeneLine::setLine(qreal ax1, qreal ay1, qreal ax2, qreal ay2)
{
    // The bounding box follows the stored end points, so announce the change
    // before they move.
    prepareGeometryChange();
    x1 = ax1;
    y1 = ay1;
    x2 = ax2;
    y2 = ay2;
    QGraphicsLineItem::setLine(ax1, ay1, ax2, ay2);
}

void GeneLine::setGeneIndex(int index)
{
    geneIndex = index;
}

void GeneLine::applyGeneColor()
{
    pen.setBrush(QBrush(geneIndex % 2 == 0 ? evenGeneColor() : oddGeneColor(), Qt::SolidPattern));
}

QRectF GeneLine::boundingRect() const
{
    const qreal e = (QGraphicsLineItem::pen().widthF() + 0.2) / 2;
    return QRectF(QPointF(x1, y1), QSizeF(x2 - x1, y2 - y1))
        .normalized()
        .adjusted(-e, -e, e, e);
}

QPainterPath GeneLine::shape() const
{
    // A thin rectangle around the stroke: the end points moved by half the
    // width to either side, along the stroke's normal. atan2 keeps vertical
    // strokes well defined; a zero-length stroke gives an empty area.
    const qreal e = (QGraphicsLineItem::pen().widthF() + 0.04) / 2;
    const qreal a = std::atan2(y2 - y1, x2 - x1);
    const QPointF n(e * std::sin(a), -e * std::cos(a));
    const QPointF p1(x1, y1);
    const QPointF p2(x2, y2);
    QPainterPath path;
    path.addPolygon(QPolygonF({p1 + n, p1 - n, p2 - n, p2 + n}));
    path.closeSubpath();
    return path;
}

void GeneLine::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->drawLine(line());
}

void GeneLine::hoverEnterEvent(QGraphicsSceneHoverEvent *event)
{
    savedColor = pen.color();
    if (pen.color() == oddGeneColor())
        pen.setColor(hoverColor());
    if (pen.color() == evenGeneColor())
        pen.setColor(hoverColor());
    update();
    QGraphicsLineItem::hoverEnterEvent(event);
}

void GeneLine::hoverLeaveEvent(QGraphicsSceneHoverEvent *event)
{
    pen.setColor(savedColor);
    update();
    QGraphicsLineItem::hoverLeaveEvent(event);
}

void GeneLine::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    pen.setColor(Qt::black);
    setSelected(true);
    update();
    QGraphicsItem::mouseReleaseEvent(event);
}
