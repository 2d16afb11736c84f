// The operon detail view of the result views (fitted to the unit shown,
// zoomed by slider and wheel), and the SVG/PNG export of both drawings.
#include "ResultViews.h"

#include "GenomeMapBuilder.h"
#include "GlobalView.h"
#include "OperonDetail.h"
#include "OperonTree.h"
#include "ProjectModel.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeWidgetItem>

#include <algorithm>
#include <cmath>

void ResultViews::replaceOperonScene()
{
    QGraphicsScene *old = detailScene;
    detailScene = new QGraphicsScene;
    detailGeneIndexes.clear();
    if (w.operonView) {
        w.operonView->setScene(detailScene);
        w.operonView->show();
        w.operonView->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    }
    delete old;
}

void ResultViews::slotGenomeView(QTreeWidgetItem *item, int)
{
    drawGeneItem(operondetail::unitRowFor(item));
    fitDetail();
    emit detailAvailable(hasDetail());
}

void ResultViews::drawGeneItem(QTreeWidgetItem *item)
{
    replaceOperonScene();
    if (operondetail::drawUnit(detailScene, model, item)) {
        for (int i = 0; i < item->childCount(); ++i)
            detailGeneIndexes << operontree::geneIndexOf(item->child(i));
    }
}

void ResultViews::fitDetail()
{
    if (!w.operonView || !detailScene || detailGeneIndexes.isEmpty())
        return;
    if (w.geneSlider) {
        const QSignalBlocker block(w.geneSlider);
        w.geneSlider->setValue(0);
    }
    const QRectF unit = operondetail::unitRect(detailScene);
    w.operonView->resetTransform();
    w.operonView->fitInView(unit, Qt::KeepAspectRatio);
    detailFit = w.operonView->transform().m11();
    w.operonView->centerOn(unit.center());
    spaceRulerLabels();
}

void ResultViews::slotGeneScale(int value)
{
    if (!w.operonView || !hasDetail())
        return;
    const double wanted = detailFit * std::pow(2.0, value / 10.0);
    const double current = w.operonView->transform().m11();
    if (current > 0)
        w.operonView->scale(wanted / current, wanted / current);
    spaceRulerLabels();
}

void ResultViews::spaceRulerLabels()
{
    if (!detailScene || !w.operonView)
        return;
    operondetail::spaceRulerLabels(detailScene, w.operonView->transform().m11());
    w.operonView->viewport()->update();
}

bool ResultViews::exportSvg(const QString &caption, const QSize &size, const QString &title,
                            const svgexport::Painting &paint)
{
    const QString fileName = svgexport::withSuffix(
        askSaveFileName(w.dialogParent, caption, svgexport::svgFilter()), QStringLiteral(".svg"));
    if (fileName.isEmpty())
        return false;
    svgexport::writeSvg(fileName, size, title, paint);
    return true;
}

bool ResultViews::exportPng(const QString &caption, const QString &widthCaption, int drawnWidth,
                            const std::function<QSize(int)> &sizeFor, const svgexport::Painting &paint)
{
    const QString fileName = svgexport::withSuffix(
        askSaveFileName(w.dialogParent, caption, svgexport::pngFilter()), QStringLiteral(".png"));
    if (fileName.isEmpty())
        return false;
    const int width = askImageWidth(w.dialogParent, widthCaption, 3000);
    if (width <= 0)
        return false;
    svgexport::writePng(fileName, sizeFor(width), drawnWidth, paint);
    return true;
}

void ResultViews::saveSvg()
{
    if (!hasMap())
        return;
    exportSvg(tr("Save Genome Map as SVG"), QSize(1200, 1200), mapBuilder->title(),
              [this](QPainter &painter, const QSize &size) {
                  paintMap(&painter, QRectF(QPointF(0, 0), size));
              });
}

void ResultViews::savePng()
{
    if (!hasMap())
        return;
    // A wide image looks like the map drawn 1200 pixels wide, enlarged.
    exportPng(tr("Save Genome Map as PNG"), tr("Genome map image"), 1200,
              [](int width) { return QSize(width, width); },
              [this](QPainter &painter, const QSize &size) {
                  paintMap(&painter, QRectF(QPointF(0, 0), size));
              });
}

namespace {

// The detail drawing: the unit's rectangle at its own scale.
void paintDetail(QGraphicsScene *scene, QPainter &painter, const QSize &size)
{
    const QRectF unit = operondetail::unitRect(scene);
    operondetail::spaceRulerLabels(scene, size.width() / unit.width());
    scene->render(&painter, QRectF(QPointF(0, 0), size), unit, Qt::KeepAspectRatio);
}

QSize detailSize(QGraphicsScene *scene, int width)
{
    const QRectF unit = operondetail::unitRect(scene);
    return QSize(width, qMax(1, int(std::lround(width * unit.height() / unit.width()))));
}

} // namespace

void ResultViews::saveOperonSvg()
{
    // Nothing to save before a unit has been drawn: do not ask.
    if (!hasDetail())
        return;
    const svgexport::Painting paint = [this](QPainter &painter, const QSize &size) {
        paintDetail(detailScene, painter, size);
    };
    if (exportSvg(tr("Save Transcription Unit as SVG"), detailSize(detailScene, 1600),
                  tr("Transcription unit"), paint))
        spaceRulerLabels();
}

void ResultViews::saveOperonPng()
{
    if (!hasDetail())
        return;
    const auto sizeFor = [this](int width) { return detailSize(detailScene, width); };
    if (exportPng(tr("Save Transcription Unit as PNG"), tr("Transcription unit image"), 1600, sizeFor,
                  [this](QPainter &painter, const QSize &size) { paintDetail(detailScene, painter, size); }))
        spaceRulerLabels();
}
