#include "GlobalView.h"

#include <QPainter>

#include <cmath>
#include <QWheelEvent>

namespace {

// The margin beside the map the legend is painted in.
class LegendPanel : public QWidget
{
public:
    LegendPanel(QWidget *parent, const GlobalView::LegendPainter &painter) : QWidget(parent), paint_(painter) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        if (paint_)
            paint_(&painter, QPointF(8, 8));
    }

private:
    const GlobalView::LegendPainter &paint_;
};

} // namespace

GlobalView::GlobalView(QWidget *parent)
    : QGraphicsView(parent)
{
    legendPanel = new LegendPanel(this, legend);
    legendPanel->hide();
}

void GlobalView::setLegendPainter(LegendPainter painter, QSizeF size)
{
    legend = std::move(painter);
    legendSize = size;
    placeLegend();
    legendPanel->update();
}

void GlobalView::placeLegend()
{
    if (!legend) {
        setViewportMargins(0, 0, 0, 0);
        legendPanel->hide();
        return;
    }
    // Left of the map, unless that leaves it too narrow: then above it. A
    // wide view keeps it at the left, so that its margin never asks for
    // more height than the window's other parts leave the view.
    const QRect area = contentsRect();
    const int w = int(std::ceil(legendSize.width())) + 16;
    const int h = int(std::ceil(legendSize.height())) + 16;
    if (area.width() - w >= qMin(area.height(), 240)) {
        setViewportMargins(w, 0, 0, 0);
        legendPanel->setGeometry(area.left(), area.top(), w, area.height());
    } else {
        setViewportMargins(0, h, 0, 0);
        legendPanel->setGeometry(area.left(), area.top(), area.width(), h);
    }
    legendPanel->show();
    legendPanel->raise();
}

void GlobalView::wheelEvent(QWheelEvent *event)
{
    // One notch of a standard wheel is 120; a partial turn gives 0 steps.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    emit global_scale(delta / 120);
    event->accept();
}

void GlobalView::resizeEvent(QResizeEvent *event)
{
    placeLegend();
    QGraphicsView::resizeEvent(event);
    emit resized();
}
