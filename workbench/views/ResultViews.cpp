#include "ResultViews.h"

#include "GenomeMapBuilder.h"
#include "GlobalView.h"
#include "OperonsScene.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QSlider>
#include <QTimer>

ResultViews::ResultViews(const ProjectModel &m, const ResultViewWidgets &widgets, QObject *parent)
    : QObject(parent)
    , model(m)
    , w(widgets)
    , askSaveFileName(svgexport::dialogAsker())
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

void ResultViews::setUpViews()
{
    if (GlobalView *view = w.genomeView) {
        view->setDragMode(QGraphicsView::ScrollHandDrag);
        view->setCacheMode(QGraphicsView::CacheNone);
        view->setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
        view->setResizeAnchor(QGraphicsView::AnchorUnderMouse);
        view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    }
    if (QGraphicsView *view = w.operonView)
        view->setDragMode(QGraphicsView::ScrollHandDrag);
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
