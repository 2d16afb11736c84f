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

void ResultViews::saveSvg()
{
    if (!hasMap())
        return;
    const QString fileName = svgexport::withSuffix(
        askSaveFileName(w.dialogParent, tr("Save Genome Map as SVG"), svgexport::svgFilter()),
        QStringLiteral(".svg"));
    if (fileName.isEmpty())
        return;
    svgexport::writeSvg(fileName, QSize(1200, 1200), mapBuilder->title(),
                        [this](QPainter &painter, const QSize &size) {
                            paintMap(&painter, QRectF(QPointF(0, 0), size));
                        });
}

void ResultViews::savePng()
{
    if (!hasMap())
        return;
    const QString fileName = svgexport::withSuffix(
        askSaveFileName(w.dialogParent, tr("Save Genome Map as PNG"), svgexport::pngFilter()),
        QStringLiteral(".png"));
    if (fileName.isEmpty())
        return;
    const int width = askImageWidth(w.dialogParent, tr("Genome map image"), 3000);
    if (width <= 0)
        return;
    // A wide image looks like the map drawn 1200 pixels wide, enlarged.
    svgexport::writePng(fileName, QSize(width, width), 1200, [this](QPainter &painter, const QSize &size) {
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
    const QString fileName = svgexport::withSuffix(
        askSaveFileName(w.dialogParent, tr("Save Transcription Unit as SVG"), svgexport::svgFilter()),
        QStringLiteral(".svg"));
    if (fileName.isEmpty())
        return;
    svgexport::writeSvg(fileName, detailSize(detailScene, 1600), tr("Transcription unit"),
                        [this](QPainter &painter, const QSize &size) {
                            paintDetail(detailScene, painter, size);
                        });
    spaceRulerLabels();
}

void ResultViews::saveOperonPng()
{
    if (!hasDetail())
        return;
    const QString fileName = svgexport::withSuffix(
        askSaveFileName(w.dialogParent, tr("Save Transcription Unit as PNG"), svgexport::pngFilter()),
        QStringLiteral(".png"));
    if (fileName.isEmpty())
        return;
    const int width = askImageWidth(w.dialogParent, tr("Transcription unit image"), 3000);
    if (width <= 0)
        return;
    const QSize size = detailSize(detailScene, width);
    svgexport::writePng(fileName, size, 1600, [this](QPainter &painter, const QSize &size) {
        paintDetail(detailScene, painter, size);
    });
    spaceRulerLabels();
}
