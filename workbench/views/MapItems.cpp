#include "MapItems.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPaintEngine>
#include <QPen>
#include <QStyleOptionGraphicsItem>

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

MapShapes::MapShapes(const QPainterPath &exportPath, const QVector<QPolygonF> &shapes, bool filled)
    : QGraphicsPathItem(exportPath), shapes_(shapes), filled_(filled)
{
    setFlag(ItemUsesExtendedStyleOption, true);
    bounds_.reserve(shapes_.size());
    for (const QPolygonF &shape : shapes_)
        bounds_.append(shape.boundingRect());
}

void MapShapes::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    // Small on screen (the whole map in view), one path draws as fast and
    // blends neighbouring shapes' edges without seams.
    const QRectF onScreen = painter->transform().mapRect(boundingRect());
    if ((painter->paintEngine() && painter->paintEngine()->type() != QPaintEngine::Raster)
        || qMax(onScreen.width(), onScreen.height()) < 256) {
        QGraphicsPathItem::paint(painter, option, widget);
        return;
    }
    painter->setPen(pen());
    painter->setBrush(filled_ ? brush() : QBrush());
    // A cosmetic pen's width is in pixels: widen the exposed area by it.
    const double margin = pen().style() == Qt::NoPen ? 0.0 : (pen().widthF() + 2) / qMax(1e-9, painter->transform().m11());
    const QRectF exposed = option->exposedRect;
    for (int i = 0; i < shapes_.size(); ++i) {
        // Straight ticks have an empty bounding rectangle: test it widened.
        if (!bounds_[i].adjusted(-margin, -margin, margin, margin).intersects(exposed))
            continue;
        if (filled_)
            painter->drawPolygon(shapes_[i]);
        else
            painter->drawPolyline(shapes_[i]);
    }
}

MapLabel::MapLabel(const QString &text, const QFont &font, QPointF direction, double gap)
    : text_(text), font_(font), direction_(direction)
{
    setFlag(ItemIgnoresTransformations, true);
    setGap(gap);
}

void MapLabel::setGap(double gap)
{
    if (gap == gap_ && !rect_.isNull())
        return;
    prepareGeometryChange();
    gap_ = gap;
    const QFontMetricsF metrics(font_);
    QSizeF size;
    const QStringList lines = text_.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        size.setWidth(qMax(size.width(), metrics.horizontalAdvance(line)));
    size.setHeight(metrics.lineSpacing() * lines.size());
    // The rectangle's edge nearest to the anchor touches a point `gap`
    // pixels away from it along the direction.
    const QPointF centre(direction_.x() * (gap + size.width() / 2), direction_.y() * (gap + size.height() / 2));
    rect_ = QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
}

QRectF MapLabel::boundingRect() const
{
    return rect_.adjusted(-1, -1, 1, 1);
}

void MapLabel::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setFont(font_);
    painter->setPen(color_);
    // Line by line with the metrics the rectangle was measured with, so the
    // text stays inside it whatever the paint device.
    const QFontMetricsF metrics(font_, painter->device());
    const QStringList lines = text_.split(QLatin1Char('\n'));
    const double spacing = rect_.height() / qMax(1, int(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        const double width = metrics.horizontalAdvance(lines[i]);
        const double baseline = rect_.top() + i * spacing + (spacing - metrics.height()) / 2 + metrics.ascent();
        painter->drawText(QPointF(rect_.center().x() - width / 2, baseline), lines[i]);
    }
}
