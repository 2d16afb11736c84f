// The genome map's view. The mouse wheel never scrolls it: each notch is
// reported as one zoom step through global_scale(int), to be applied about
// the point under the mouse. It tells when its size changes (so a fitted
// map can be fitted again) and draws the map's legend in its top left
// corner, at a constant size on screen.
#pragma once

#include <QGraphicsView>

#include <functional>

class GlobalView : public QGraphicsView
{
    Q_OBJECT
public:
    using LegendPainter = std::function<void(QPainter *painter, QPointF topLeft)>;

    explicit GlobalView(QWidget *parent = nullptr);

    void setLegendPainter(LegendPainter painter);

signals:
    void global_scale(int steps);
    void resized();

protected:
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    LegendPainter legend;
};
