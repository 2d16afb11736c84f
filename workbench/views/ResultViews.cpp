#include "ResultViews.h"

#include "GenomeMapBuilder.h"
#include "GlobalView.h"
#include "OperonTree.h"
#include "OperonsScene.h"
#include "ProjectModel.h"

#include <QEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QSlider>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QWheelEvent>

ResultViews::ResultViews(const ProjectModel &m, const ResultViewWidgets &widgets, QObject *parent)
    : QObject(parent)
    , model(m)
    , w(widgets)
    , askSaveFileName(svgexport::dialogAsker())
    , askImageWidth(svgexport::widthDialogAsker())
    , arrowHideTimer(new QTimer(this))
{
    arrowHideTimer->setSingleShot(true);
    arrowHideTimer->setInterval(arrowDisplayMs);
    connect(arrowHideTimer, &QTimer::timeout, this, &ResultViews::hideLatestArrow);
}

ResultViews::~ResultViews()
{
    // The views may be gone already (a window deletes its form's widgets
    // before this child object); a scene leaves the views that still show
    // it by itself. Nothing of a dying scene may reach this object.
    if (genomeMapScene)
        disconnect(genomeMapScene, nullptr, this, nullptr);
    delete genomeMapScene;
    delete detailScene;
}

void ResultViews::clear()
{
    if (w.tree)
        w.tree->clear();
    if (w.table) {
        w.table->clear();
        w.table->setRowCount(0);
    }
    arrowHideTimer->stop();
    mapArrows.clear();
    if (genomeMapScene)
        disconnect(genomeMapScene, nullptr, this, nullptr);
    if (w.genomeView) {
        w.genomeView->setScene(nullptr);
        w.genomeView->setLegendPainter({}, QSizeF());
    }
    delete genomeMapScene;
    genomeMapScene = nullptr;
    mapBuilder.reset();
    if (w.operonView)
        w.operonView->setScene(nullptr);
    delete detailScene;
    detailScene = nullptr;
    detailGeneIndexes.clear();
    if (w.zoomAction)
        w.zoomAction->setEnabled(false);
    emit mapAvailable(false);
    emit detailAvailable(false);
}

void ResultViews::setUpViews()
{
    if (GlobalView *view = w.genomeView) {
        view->setDragMode(QGraphicsView::ScrollHandDrag);
        view->setCacheMode(QGraphicsView::CacheNone);
        view->setTransformationAnchor(QGraphicsView::AnchorViewCenter);
        view->setResizeAnchor(QGraphicsView::AnchorViewCenter);
        view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
        view->setRenderHint(QPainter::Antialiasing, true);
        // Dragging pans; scroll bars coming and going would shift a fitted map.
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(view, &GlobalView::resized, this, [this] {
            if (w.genomeSlider && w.genomeSlider->value() == 0 && hasMap())
                slotZoom();
        });
    }
    if (w.genomeSlider) {
        w.genomeSlider->setRange(0, MapZoomLevels);
        w.genomeSlider->setValue(0);
        w.genomeSlider->setToolTip(tr("Zoom the genome map (wheel: about the mouse)"));
    }
    if (QGraphicsView *view = w.operonView) {
        view->setDragMode(QGraphicsView::ScrollHandDrag);
        view->setRenderHint(QPainter::Antialiasing, true);
        view->setTransformationAnchor(QGraphicsView::AnchorViewCenter);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->viewport()->installEventFilter(this);
    }
    if (w.geneSlider) {
        w.geneSlider->setRange(0, DetailZoomLevels);
        w.geneSlider->setValue(0);
        w.geneSlider->setToolTip(tr("Zoom the transcription unit (wheel: about the mouse)"));
    }
}

void ResultViews::connectControls()
{
    if (w.genomeSlider)
        connect(w.genomeSlider, &QSlider::valueChanged, this, &ResultViews::slotScale,
                Qt::UniqueConnection);
    if (w.genomeView)
        connect(w.genomeView, &GlobalView::global_scale, this, &ResultViews::slotGlobalScale,
                Qt::UniqueConnection);
    if (w.geneSlider)
        connect(w.geneSlider, &QSlider::valueChanged, this, &ResultViews::slotGeneScale,
                Qt::UniqueConnection);
}

void ResultViews::setSaveFileNameAsker(svgexport::SaveFileNameAsker asker)
{
    askSaveFileName = std::move(asker);
}

void ResultViews::setImageWidthAsker(svgexport::ImageWidthAsker asker)
{
    askImageWidth = std::move(asker);
}

void ResultViews::setArrowDuration(int milliseconds)
{
    arrowHideTimer->setInterval(milliseconds);
}

int ResultViews::plusOperonCount() const
{
    return mapBuilder ? mapBuilder->plusOperons() : 0;
}

int ResultViews::minusOperonCount() const
{
    return mapBuilder ? mapBuilder->minusOperons() : 0;
}

const QVector<MapFeature *> &ResultViews::geneFeatures() const
{
    static const QVector<MapFeature *> none;
    return mapBuilder ? mapBuilder->geneFeatures() : none;
}

bool ResultViews::hasMap() const
{
    return mapBuilder && model.genomeLength > 0;
}

int ResultViews::geneOfRow(QTreeWidgetItem *item)
{
    while (item && item->childCount() > 0)
        item = item->child(0);
    return operontree::geneIndexOf(item);
}

bool ResultViews::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel zooms the detail view about the mouse instead of scrolling it.
    // The event type is tested first: while the view is being destroyed it
    // still sends events here, and it must not be asked for its viewport then.
    if (event->type() == QEvent::Wheel && w.operonView && watched == w.operonView->viewport()) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint angle = wheel->angleDelta();
        const int steps = (angle.y() != 0 ? angle.y() : angle.x()) / 120;
        if (steps != 0 && w.geneSlider) {
            w.operonView->setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
            w.geneSlider->setValue(w.geneSlider->value() + steps * WheelLevels);
            w.operonView->setTransformationAnchor(QGraphicsView::AnchorViewCenter);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
