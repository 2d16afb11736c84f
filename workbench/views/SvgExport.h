// SVG export of the genome map (as the view shows it) and of the whole
// scene of the operon detail view.
#pragma once

#include <QString>
#include <functional>

class QGraphicsScene;
class QGraphicsView;
class QWidget;

namespace svgexport {

// Asks the user for the name of a file to save; an empty answer means the
// question was cancelled. Tests replace it to answer without a dialog.
using SaveFileNameAsker =
    std::function<QString(QWidget *parent, const QString &caption, const QString &filter)>;

// The platform's save-file dialog, with no preset directory or name.
SaveFileNameAsker dialogAsker();

// The file filter of both exports.
QString svgFilter();

// Renders the view's visible viewport onto a 2000 x 2000 drawing.
bool writeGenomeSvg(QGraphicsView *view, const QString &fileName);

// Renders the whole scene rectangle onto a 2000 x 500 drawing.
bool writeOperonSvg(QGraphicsScene *scene, const QString &fileName);

} // namespace svgexport
