// The genome map's view. The mouse wheel never scrolls it: each notch is
// reported as one zoom step through global_scale(int).
#pragma once

#include <QGraphicsView>

class GlobalView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit GlobalView(QWidget *parent = nullptr);

signals:
    void global_scale(int steps);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
