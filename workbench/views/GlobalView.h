// The genome map's view. The mouse wheel never scrolls it: each notch is
// reported as one zoom step through global_scale(int), to be applied about
// the point under the mouse. It tells when its size changes (so a fitted
// map can be fitted again) and shows the map's legend beside the map, never
// over it: in a margin left of the map, or above it in a narrow view.
#pragma once

#include <QGraphicsView>

#include <functional>

class GlobalView : public QGraphicsView
{
    Q_OBJECT
public:
    using LegendPainter = std::function<void(QPainter *painter, QPointF topLeft)>;

    explicit GlobalView(QWidget *parent = nullptr);

    // The painter and the size in pixels of the legend.
    void setLegendPainter(LegendPainter painter, QSizeF size);
    // The legend's margin asks for no room of its own: the window's layout
    // stays as without it.
    QSize minimumSizeHint() const override { return QSize(64, 64); }

signals:
    void global_scale(int steps);
    void resized();

protected:
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeLegend();
    LegendPainter legend;
    QSizeF legendSize;
    QWidget *legendPanel = nullptr;
};
