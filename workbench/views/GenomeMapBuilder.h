// Builds the circular genome map of a project: the strand circles and
// labels, one radial GeneLine per gene and one band per operon.
#pragma once

#include "GenomeMapGeometry.h"

#include <QColor>
#include <QVector>

struct ProjectModel;
class GeneLine;
class OperonsScene;
class QGraphicsItem;

class GenomeMapBuilder
{
public:
    explicit GenomeMapBuilder(const ProjectModel &model);

    // Creates a new scene holding the whole map; the caller owns it.
    OperonsScene *build();

    // Draws one operon given the indexes of its first and last gene into the
    // scene being built. Indexes outside the genes draw nothing.
    void drawOperonOnMap(int firstGene, int lastGene);

    OperonsScene *scene() const { return genomeScene; }
    // Entry g is the stroke of gene g, or null for a gene without a "+" or
    // "-" strand, so the entries always line up with the gene indexes.
    const QVector<GeneLine *> &geneLines() const { return lines; }
    QGraphicsItem *centreLabel() const { return label; }
    int plusOperons() const { return plusOperonCount; }
    int minusOperons() const { return minusOperonCount; }

    static QColor evenOperonColor();
    static QColor oddOperonColor();

private:
    void drawFrame();
    void drawGenes();
    void drawOperons();

    const ProjectModel &model;
    genomemap::Geometry geometry;
    OperonsScene *genomeScene = nullptr;
    QVector<GeneLine *> lines;
    QGraphicsItem *label = nullptr;
    int plusOperonCount = 0;
    int minusOperonCount = 0;
};
