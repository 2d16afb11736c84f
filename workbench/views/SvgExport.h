// Export of the genome map and the operon detail view as SVG drawings or
// PNG images: the file name's extension, the user's questions, and writing
// a drawing given as a painting function.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QPainter;
class QWidget;

namespace svgexport {

// Asks the user for the name of a file to save; an empty answer means the
// question was cancelled. Tests replace it to answer without a dialog.
using SaveFileNameAsker =
    std::function<QString(QWidget *parent, const QString &caption, const QString &filter)>;
// Asks for the width in pixels of an image; 0 means cancelled.
using ImageWidthAsker = std::function<int(QWidget *parent, const QString &caption, int proposed)>;
// Paints the drawing into the rectangle (0, 0, size).
using Painting = std::function<void(QPainter &painter, const QSize &size)>;

// The platform's save-file dialog, with no preset directory or name.
SaveFileNameAsker dialogAsker();
// The platform's number dialog (500 to 20000 pixels).
ImageWidthAsker widthDialogAsker();

QString svgFilter();
QString pngFilter();

// The name with `suffix` (".svg") appended unless it already ends with it
// (in any letter case).
QString withSuffix(const QString &fileName, const QString &suffix);

bool writeSvg(const QString &fileName, const QSize &size, const QString &title, const Painting &paint);
// A white image of `size` pixels, drawn as `drawnWidth` pixels would be on
// screen and enlarged to the image's width: lines, text and the items that
// keep their size on screen all grow with the image. A narrower image is
// drawn at its own width.
bool writePng(const QString &fileName, const QSize &size, int drawnWidth, const Painting &paint);

} // namespace svgexport
