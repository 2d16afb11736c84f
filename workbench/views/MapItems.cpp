#include "MapItems.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

MapFeature::MapFeature(const QPainterPath &path, Kind kind, int firstGene, int lastGene)
    : QGraphicsPathItem(path), kind_(kind), first_(firstGene), last_(lastGene)
{
    setFlag(ItemIsSelectable, true);
    setAcceptHoverEvents(true);
    setCursor(Qt::PointingHandCursor);
    setPen(Qt::NoPen);
    setData(0, firstGene);
}

void MapFeature::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!isHighlighted())
        return;
    const QColor c = isSelected() ? selectedColor() : hoverColor();
    painter->setPen(QPen(c, 0));
    painter->setBrush(c);
    painter->drawPath(path());
}

void MapFeature::hoverEnterEvent(QGraphicsSceneHoverEvent *event)
{
    hovered_ = true;
    update();
    QGraphicsPathItem::hoverEnterEvent(event);
}

void MapFeature::hoverLeaveEvent(QGraphicsSceneHoverEvent *event)
{
    hovered_ = false;
    update();
    QGraphicsPathItem::hoverLeaveEvent(event);
}

MapLabel::MapLabel(const QString &text, const QFont &font, QPointF direction, double gap)
    : text_(text), font_(font)
{
    setFlag(ItemIgnoresTransformations, true);
    const QFontMetricsF metrics(font_);
    QSizeF size;
    const QStringList lines = text_.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        size.setWidth(qMax(size.width(), metrics.horizontalAdvance(line)));
    size.setHeight(metrics.height() * lines.size());
    const double dx = direction.x();
    const double dy = direction.y();
    // The rectangle's edge nearest to the anchor touches a point `gap`
    // pixels away from it along the direction.
    const QPointF centre(dx * (gap + size.width() / 2), dy * (gap + size.height() / 2));
    rect_ = QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
                   size.height());
}

QRectF MapLabel::boundingRect() const
{
    return rect_.adjusted(-1, -1, 1, 1);
}

void MapLabel::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setFont(font_);
    painter->setPen(color_);
    painter->drawText(rect_, Qt::AlignCenter, text_);
}
