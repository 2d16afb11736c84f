// Builds the circular genome map of a project: a fixed-size map whatever the
// genome's length (see GenomeMapGeometry.h), genes and operons as ring
// sectors drawn through one shared path per colour, a MapFeature per gene
// and operon for tooltips and clicks, the scale ring, the genome's name and
// length in the centre, and gene names that show as soon as there is room
// for them at the current zoom.
#pragma once

#include "GenomeMapGeometry.h"

#include <QColor>
#include <QRectF>
#include <QVector>

struct ProjectModel;
class MapFeature;
class MapLabel;
class OperonsScene;
class QGraphicsPathItem;
class QGraphicsItem;
class QPainter;

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
    // Entry g is the feature of gene g, or null for a gene without a "+" or
    // "-" strand, so the entries always line up with the gene indexes.
    const QVector<MapFeature *> &geneFeatures() const { return features; }
    int plusOperons() const { return plusOperonCount; }
    int minusOperons() const { return minusOperonCount; }
    // The square, in scene units, that holds the whole map and its labels.
    static QRectF mapRect();
    QString title() const;

    // Shows the scale labels and the gene names that fit without
    // overlapping at `scale` pixels per scene unit; returns how many gene
    // names show.
    int updateLabels(double scale);
    int visibleGeneLabels() const { return shownGeneLabels; }
    QVector<MapLabel *> scaleLabels() const { return tickLabels; }

    // The point of gene g's ring edge facing away from the other strand, and
    // the outward direction there (inward for reverse genes).
    bool geneAnchor(int g, QPointF *anchor, QPointF *direction) const;

    // Shows or hides the hit areas of all genes and operons (hidden while
    // the map is exported: they draw nothing but would still be written).
    void setFeaturesVisible(bool visible);

    // The legend, drawn in device pixels with its top left corner at `at`.
    void paintLegend(QPainter *painter, QPointF at) const;

    static QColor forwardGeneColor(int parity);
    static QColor reverseGeneColor(int parity);
    static QColor evenOperonColor();
    static QColor oddOperonColor();

private:
    void drawFrame();
    void drawGenes();
    void drawOperons();
    void drawScale(double scale);
    QGraphicsPathItem *addShared(const QColor &fill, double z);

    const ProjectModel &model;
    genomemap::Geometry geometry;
    OperonsScene *genomeScene = nullptr;
    QVector<MapFeature *> features;
    QVector<MapFeature *> allFeatures;   // genes and operons
    QVector<MapLabel *> geneLabels;    // per gene, null without a strand
    QVector<int> labelOrder;           // gene indexes, longest first
    QVector<MapLabel *> tickLabels;
    QGraphicsPathItem *tickPath = nullptr;
    MapLabel *centreLabel = nullptr;
    int centreLayout = -1;             // index into the centre title's layouts
    void fitCentreLabel(double scale);
    qint64 tickMajor = 0;
    QGraphicsPathItem *geneFill[4] = {};     // forward even/odd, reverse even/odd
    QGraphicsPathItem *operonFill[2] = {};   // even, odd
    int plusOperonCount = 0;
    int minusOperonCount = 0;
    int shownGeneLabels = 0;
};
