// Builds the genome map of a project: a fixed-size map whatever the
// genome's length (see GenomeMapGeometry.h), a circle or, for a linear
// replicon, a line; genes, operons, promoters and terminators as ring
// sectors drawn through shared paths per colour, a MapFeature per gene
// and operon for tooltips and clicks, the GC content, the scale ring, the
// genome's name and length in the centre, and gene names that show as soon
// as there is room for them at the current zoom. The rings keep their width
// on screen: each zoom lays them out again (layoutRings).
#pragma once

#include "BrowserFeatures.h"
#include "GenomeMapGeometry.h"

#include <QColor>
#include <QPainterPath>
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
    // The size of the legend paintLegend() draws, in pixels.
    static QSizeF legendSize();
    QString title() const;

    // Shows the scale labels and the gene names that fit without
    // overlapping at `scale` pixels per scene unit; returns how many gene
    // names show.
    int updateLabels(double scale);
    // The gene whose name shows first, whatever else would take its room
    // (the gene the map's pointer marks); -1 for none.
    void setMarkedGene(int g) { markedGene = g; }
    int marked() const { return markedGene; }
    MapLabel *geneLabel(int g) const { return geneLabels.value(g); }
    int visibleGeneLabels() const { return shownGeneLabels; }
    QVector<MapLabel *> scaleLabels() const { return tickLabels; }

    // The point of gene g's ring edge facing away from the other strand, and
    // the outward direction there (inward for reverse genes).
    bool geneAnchor(int g, QPointF *anchor, QPointF *direction) const;
    // The length in pixels of the pointer at the marked gene's anchor; the
    // marked gene's name stands beyond it, except in an export.
    static constexpr double PointerLength = 18.0;

    // On screen the sectors of each colour are split into angular slices,
    // so a zoomed-in view paints only the few slices it shows. An export
    // draws one path per colour instead (a compact file) and leaves out the
    // hit areas of genes and operons (they draw nothing but would still be
    // written).
    void setExporting(bool exporting);

    // The legend, drawn in device pixels with its top left corner at `at`.
    void paintLegend(QPainter *painter, QPointF at) const;

    static QColor forwardGeneColor(int parity);
    static QColor reverseGeneColor(int parity);
    static QColor evenOperonColor();
    static QColor oddOperonColor();
    static QColor promoterColor(bool forward);
    static QColor terminatorColor(bool forward);
    static QColor gcColor(bool aboveMean);

    // The rings' radii at the zoom last laid out.
    const genomemap::RingLayout &rings() const { return ringRadii; }
    bool circular() const { return geometry.circular; }
    // Where scene point p, on or just beside the rings when laid out at
    // oldScale, lies once they are laid out at newScale: the same distance
    // in pixels from the outer edge. Points elsewhere stay.
    QPointF followRings(QPointF p, double oldScale, double newScale) const;
    // The scene length of `bases` base pairs along the operon rings.
    double sceneLength(double bases) const;

private:
    void drawFrame();
    void drawGenes();
    void drawOperons();
    void drawScale(double scale);
    void drawSignals();
    void drawGc(double scale);
    // Lays the rings out for `scale` pixels per scene unit: every sector,
    // hit area, guide circle and gene name moves to the new radii.
    void layoutRings(double scale);
    // The sectors, kept to be laid out again at each zoom.
    enum RingId { ForwardGeneRing, ForwardOperonRing, PromoterRing, TerminatorRing, ReverseOperonRing, ReverseGeneRing };
    struct Placed {
        qint64 start, end;
        RingId ring;
        int fill;           // index into fill[]
        MapFeature *feature;// null for promoters and terminators
    };
    QVector<Placed> placed;
    genomemap::Ring ring(RingId id) const;
    void place(qint64 start, qint64 end, RingId id, int fill, MapFeature *feature);

    // One colour of the sectors: the whole path (exports) and its slices
    // (screen), filled in by addSector and handed to the items by flushFills.
    struct SharedFill {
        QColor color;
        QGraphicsPathItem *whole = nullptr;
        QPainterPath wholePath;
        QVector<QGraphicsPathItem *> slices;
        QVector<QPainterPath> slicePaths;
        QVector<QVector<QPolygonF>> slicePolygons;
        QVector<int> dirtySlices;
        bool dirty = false;
    };
    static constexpr int Slices = 128;
    void addSector(SharedFill &fill, qint64 start, const QPainterPath &sector);
    void flushFills();
    // Circles (and ticks) as short polylines, drawn by MapShapes on screen.

    const ProjectModel &model;
    genomemap::Geometry geometry;
    OperonsScene *genomeScene = nullptr;
    QVector<MapFeature *> features;
    QVector<MapFeature *> allFeatures;   // genes and operons
    QVector<MapLabel *> geneLabels;    // per gene, null without a strand
    QVector<int> labelOrder;           // gene indexes, longest first
    int markedGene = -1;
    QVector<MapLabel *> tickLabels;
    QGraphicsPathItem *tickPath = nullptr;
    MapLabel *centreLabel = nullptr;
    int centreLayout = -1;             // index into the centre title's layouts
    void fitCentreLabel(double scale);
    void placeCentreLabel(double scale);
    qint64 tickMajor = 0;
    // forward genes even/odd, reverse genes even/odd, operons even/odd,
    // promoters forward/reverse, terminators forward/reverse
    static constexpr int FillCount = 10;
    SharedFill fill[FillCount];
    browser::Features signals_;
    genomemap::RingLayout ringRadii;
    double laidOutScale = -1;
    QGraphicsPathItem *guideItem = nullptr;
    QGraphicsPathItem *gcItems[2] = {nullptr, nullptr};
    int gcWindows = 0;
    bool exporting = false;
    bool building = false;
    int plusOperonCount = 0;
    int minusOperonCount = 0;
    int shownGeneLabels = 0;
};
