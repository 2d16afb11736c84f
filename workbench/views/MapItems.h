// Items of the circular genome map.
//
// MapFeature: the hit area of one gene or operon. The map draws all genes
// and operons of one colour as one shared path (small exports, fast
// drawing); a feature paints itself only while it is under the mouse or
// selected, and carries the tooltip and the gene index.
//
// MapLabel: a text of constant screen size anchored at a scene point and
// pushed away from it along a direction, so it sits beside a ring at any
// zoom without covering it.
#pragma once

#include <QFont>
#include <QGraphicsPathItem>
#include <QGraphicsItem>
#include <QString>
#include <QVector>
#include <QPolygonF>

class MapFeature : public QGraphicsPathItem
{
public:
    enum Kind { Gene, Operon };

    MapFeature(const QPainterPath &path, Kind kind, int firstGene, int lastGene);

    Kind kind() const { return kind_; }
    int firstGene() const { return first_; }
    int lastGene() const { return last_; }
    bool isHighlighted() const { return hovered_ || isSelected(); }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    static QColor hoverColor() { return QColor(19, 200, 3); }
    static QColor selectedColor() { return QColor(0, 0, 0); }

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    Kind kind_;
    int first_;
    int last_;
    bool hovered_ = false;
};

// MapShapes: filled polygons (no pen) or polylines (a pen, no brush) of the
// map. Large on screen (zoomed in), they are drawn one by one, leaving out
// those outside the exposed area: the antialiased rasteriser is much faster
// on many small shapes than on one path holding them all. Small on screen,
// and on other devices (an SVG file), the compact path given for them is
// drawn instead.
class MapShapes : public QGraphicsPathItem
{
public:
    MapShapes(const QPainterPath &exportPath, const QVector<QPolygonF> &shapes, bool filled);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

private:
    QVector<QPolygonF> shapes_;
    QVector<QRectF> bounds_;
    bool filled_;
};

class MapLabel : public QGraphicsItem
{
public:
    // direction: unit vector the text is pushed along from the anchor (the
    // null vector centres the text on it); gap in pixels.
    MapLabel(const QString &text, const QFont &font, QPointF direction, double gap = 3.0);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;
    QString text() const { return text_; }
    void setColor(const QColor &color) { color_ = color; }
    // The label's rectangle in pixels relative to its anchor.
    QRectF pixelRect() const { return rect_; }
    // Moves the text to `gap` pixels from the anchor along its direction.
    void setGap(double gap);
    double gap() const { return gap_; }

private:
    QString text_;
    QFont font_;
    QPointF direction_;
    double gap_ = 0;
    QRectF rect_;
    QColor color_ = Qt::black;
};
