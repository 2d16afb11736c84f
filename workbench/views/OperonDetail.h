// The operon detail view: one operon or transcription unit at base-pair
// scale, with a ruler, a block arrow per gene, the gene names, and the
// unit's promoter (a bent arrow) and terminator (a hairpin) where known.
#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>

struct ProjectModel;
class QGraphicsScene;
class QTreeWidgetItem;

namespace operondetail {

// The row whose gene rows are drawn for a double-clicked row: a gene row's
// parent, an operon or unit with gene rows itself, or, for an operon with
// alternative units, the unit with the most genes (the first on ties).
QTreeWidgetItem *unitRowFor(QTreeWidgetItem *item);

// The ruler base of a unit starting at s: s rounded down to a multiple of
// 500, minus 500.
int rulerBase(int unitStart);

// Scene x of a genome position for a ruler base b: 1 unit per 5 bp.
double sceneX(double position, int base);

// Block arrow of a gene drawn from xs to xe in the lane offset y; a triangle
// for a gene of at most 20 units, a seven-point arrow otherwise; empty for a
// strand other than "+" or "-".
QPolygonF geneArrow(double xs, double xe, double y, const QString &strand);

// Draws the unit whose gene rows are the children of item into the scene
// and sets the scene rectangle. Returns false, drawing nothing, when item
// has no children or its first child has children.
bool drawUnit(QGraphicsScene *scene, const ProjectModel &model, QTreeWidgetItem *item);

// Item data key marking the ruler's position labels.
constexpr int RulerLabelKey = 1;
// Item data key of a gene name: the width of its gene's arrow in scene units.
constexpr int GeneNameWidthKey = 2;
// Item data key marking the probability label between two neighbouring genes.
constexpr int LinkLabelKey = 3;

// The scene rectangle holding the drawn unit with its labels.
QRectF unitRect(QGraphicsScene *scene);

// Hides the ruler labels and the link probabilities that would overlap
// their left neighbour at `scale` pixels per scene unit, and the gene names
// wider than their gene's arrow there, and shows the others.
void spaceRulerLabels(QGraphicsScene *scene, double scale);

} // namespace operondetail
