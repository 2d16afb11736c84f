#include "SvgExport.h"

#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QSvgGenerator>

namespace svgexport {

namespace {

void configure(QSvgGenerator &generator, const QString &fileName, int width, int height)
{
    generator.setFileName(fileName);
    generator.setSize(QSize(width, height));
    generator.setResolution(100);
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(QObject::tr("SVG Drawing"));
    generator.setDescription(QObject::tr("An SVG drawing created by Meridan"));
}

} // namespace

SaveFileNameAsker dialogAsker()
{
    return [](QWidget *parent, const QString &caption, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    };
}

QString svgFilter()
{
    return QObject::tr("SVG files (*.svg)");
}

bool writeGenomeSvg(QGraphicsView *view, const QString &fileName)
{
    if (!view || fileName.isEmpty())
        return false;
    QSvgGenerator generator;
    configure(generator, fileName, 2000, 2000);
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    view->setRenderHint(QPainter::Antialiasing, true);
    view->render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
    return painter.end();
}

bool writeOperonSvg(QGraphicsScene *scene, const QString &fileName)
{
    if (!scene || fileName.isEmpty())
        return false;
    QSvgGenerator generator;
    configure(generator, fileName, 2000, 500);
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    scene->render(&painter, QRectF(), QRectF(), Qt::KeepAspectRatio);
    return painter.end();
}

} // namespace svgexport
