// A multi-gene operon of the circular genome map: a filled band between two
// radii. Its creator sets pen and brush and stores the operon's first gene
// index as item data under key 0.
#pragma once

#include <QGraphicsPolygonItem>

class QGraOperonItem : public QGraphicsPolygonItem
{
public:
    explicit QGraOperonItem(const QPolygonF &polygon);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

protected:
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
};
