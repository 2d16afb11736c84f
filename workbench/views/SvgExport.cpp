#include "SvgExport.h"

#include <QFileDialog>
#include <QImage>

#include <cmath>
#include <QInputDialog>
#include <QPainter>
#include <QSvgGenerator>

namespace svgexport {

SaveFileNameAsker dialogAsker()
{
    return [](QWidget *parent, const QString &caption, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    };
}

ImageWidthAsker widthDialogAsker()
{
    return [](QWidget *parent, const QString &caption, int proposed) {
        bool ok = false;
        const int width = QInputDialog::getInt(parent, caption, QObject::tr("Image width in pixels:"),
                                               proposed, 500, 20000, 100, &ok);
        return ok ? width : 0;
    };
}

QString svgFilter()
{
    return QObject::tr("SVG files (*.svg)");
}

QString pngFilter()
{
    return QObject::tr("PNG images (*.png)");
}

QString withSuffix(const QString &fileName, const QString &suffix)
{
    if (fileName.isEmpty() || fileName.endsWith(suffix, Qt::CaseInsensitive))
        return fileName;
    return fileName + suffix;
}

bool writeSvg(const QString &fileName, const QSize &size, const QString &title, const Painting &paint)
{
    if (fileName.isEmpty() || size.isEmpty())
        return false;
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setSize(size);
    generator.setResolution(96);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    generator.setDescription(QObject::tr("A drawing created by Meridan"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint(painter, size);
    return painter.end();
}

bool writePng(const QString &fileName, const QSize &size, int drawnWidth, const Painting &paint)
{
    if (fileName.isEmpty() || size.isEmpty() || drawnWidth <= 0)
        return false;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    // As on a high-resolution screen: a painter on an image of a larger
    // pixel ratio enlarges everything, the text of labels that ignore the
    // scene's scale included (a scaled painter would leave those small).
    // A smaller image is drawn at its own size.
    drawnWidth = qMin(drawnWidth, size.width());
    const double ratio = double(size.width()) / drawnWidth;
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        paint(painter, QSize(drawnWidth, qMax(1, int(std::lround(size.height() / ratio)))));
    }
    image.setDevicePixelRatio(1.0);
    return image.save(fileName, "PNG");
}

} // namespace svgexport
