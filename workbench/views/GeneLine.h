// One gene (or a one-gene operon) of the circular genome map: a short radial
// stroke that lights up green under the mouse and turns black once clicked.
#pragma once

#include <QColor>
#include <QGraphicsLineItem>
#include <QObject>
#include <QPen>

class GeneLine : public QGraphicsLineItem, public QObject
{
public:
    GeneLine(qreal x1, qreal y1, qreal x2, qreal y2, int geneIndex,
             QGraphicsItem *parent = nullptr, QGraphicsScene *scene = nullptr);

    void setLine(qreal x1, qreal y1, qreal x2, qreal y2);
    void setGeneIndex(int index);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // The colour the stroke is painted with right now.
    QColor color() const { return pen.color(); }

    // The stroke's end points, in step with the base item's line.
    qreal x1 = 0;
    qreal y1 = 0;
    qreal x2 = 0;
    qreal y2 = 0;
    QPen pen;             // the pen the stroke is painted with
    QColor savedColor;    // colour remembered on hover enter
    int geneIndex = 0;    // index into the project's genes

    static QColor evenGeneColor() { return QColor(255, 85, 0); }
    static QColor oddGeneColor() { return QColor(15, 15, 255); }
    static QColor hoverColor() { return QColor(19, 255, 3); }

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void applyGeneColor();
};
