// The small triangle that points at a gene of the genome map for a while.
// It can never be selected, so it never changes the map's selection.
#pragma once

#include <QGraphicsPolygonItem>

class ArrowItem : public QGraphicsPolygonItem
{
public:
    explicit ArrowItem(const QPolygonF &polygon);
};
