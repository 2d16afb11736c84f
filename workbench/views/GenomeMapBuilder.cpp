#include "GenomeMapBuilder.h"

#include "MapItems.h"
#include "OperonsScene.h"
#include "ProjectModel.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsPathItem>
#include <QHash>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace genomemap;

namespace {

QFont labelFont(int pointSize, bool bold = false)
{
    QFont font(QStringLiteral("Sans Serif"), pointSize);
    font.setBold(bold);
    return font;
}

// Breaks a long title into lines of about `width` characters at blanks.
QString wrapped(const QString &text, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

// Rectangles of the labels placed so far, in a grid of pixel cells.
class LabelGrid
{
public:
    bool fits(const QRectF &r) const
    {
        bool free = true;
        visit(r, [&](qint64 key) {
            for (const QRectF &other : cells.value(key))
                if (other.intersects(r))
                    free = false;
        });
        return free;
    }
    void add(const QRectF &r)
    {
        visit(r, [&](qint64 key) { cells[key].append(r); });
    }

private:
    static constexpr double Cell = 64.0;
    template <typename F> void visit(const QRectF &r, F f) const
    {
        const qint64 x0 = qint64(std::floor(r.left() / Cell)), x1 = qint64(std::floor(r.right() / Cell));
        const qint64 y0 = qint64(std::floor(r.top() / Cell)), y1 = qint64(std::floor(r.bottom() / Cell));
        for (qint64 x = x0; x <= x1; ++x)
            for (qint64 y = y0; y <= y1; ++y)
                f((x << 32) ^ (y & 0xffffffff));
    }
    QHash<qint64, QVector<QRectF>> cells;
};

} // namespace

namespace {
// Fill indexes of the sectors' colours.
constexpr int GeneFill = 0;        // + parity, + 2 on the reverse strand
constexpr int OperonFill = 4;      // + parity
constexpr int PromoterFill = 6;    // + 1 on the reverse strand
constexpr int TerminatorFill = 8;  // + 1 on the reverse strand
} // namespace

GenomeMapBuilder::GenomeMapBuilder(const ProjectModel &m)
    : model(m), geometry(m.genomeLength, m.circular)
{
}

QColor GenomeMapBuilder::promoterColor(bool forward)
{
    return forward ? QColor(0, 150, 60) : QColor(90, 190, 110);
}

QColor GenomeMapBuilder::terminatorColor(bool forward)
{
    return forward ? QColor(200, 20, 40) : QColor(235, 110, 120);
}

QColor GenomeMapBuilder::gcColor(bool aboveMean)
{
    return aboveMean ? QColor(70, 70, 70) : QColor(170, 170, 170);
}

double GenomeMapBuilder::sceneLength(double bases) const
{
    return geometry.sceneLength(ringRadii.reverseOperons.outer, bases);
}

QPointF GenomeMapBuilder::followRings(QPointF p, double oldScale, double newScale) const
{
    if (oldScale <= 0 || newScale <= 0)
        return p;
    const double band = (OuterRadius - ringLayout(oldScale).scaleRadius) * oldScale + 60;
    if (!geometry.circular) {
        const double pixels = (p.y() - LineTop) * oldScale;
        if (pixels < -60 || pixels > band)
            return p;
        return {p.x(), LineTop + pixels / newScale};
    }
    const double r = std::hypot(p.x(), p.y());
    const double pixels = (OuterRadius - r) * oldScale;
    if (r <= 0 || pixels < -60 || pixels > band)
        return p;
    return p * ((OuterRadius - pixels / newScale) / r);
}

Ring GenomeMapBuilder::ring(RingId id) const
{
    switch (id) {
    case ForwardGeneRing: return ringRadii.forwardGenes;
    case ForwardOperonRing: return ringRadii.forwardOperons;
    case PromoterRing: return ringRadii.promoters;
    case TerminatorRing: return ringRadii.terminators;
    case ReverseOperonRing: return ringRadii.reverseOperons;
    case ReverseGeneRing: break;
    }
    return ringRadii.reverseGenes;
}

void GenomeMapBuilder::place(qint64 start, qint64 end, RingId id, int f, MapFeature *feature)
{
    placed.append({start, end, id, f, feature});
    const QPainterPath sector = geometry.sector(start, end, ring(id));
    addSector(fill[f], start, sector);
    if (feature)
        feature->setPath(sector);
}

void GenomeMapBuilder::layoutRings(double scale)
{
    const RingLayout next = ringLayout(scale);
    if (laidOutScale > 0 && std::abs(next.scaleRadius - ringRadii.scaleRadius) < 1e-9)
        return;
    ringRadii = next;
    laidOutScale = scale;
    for (SharedFill &f : fill) {
        delete f.whole;
        f.whole = nullptr;
        qDeleteAll(f.slices);
        f.slices.clear();
        f.wholePath = QPainterPath();
        f.slicePaths.clear();
        f.slicePolygons.clear();
        f.dirtySlices.clear();
        f.dirty = false;
    }
    // Promoters and terminators are a few dozen bases: at least two pixels
    // wide, so that they show before the map is zoomed far in.
    const double pixelsPerBase = sceneLength(1.0) * scale;
    const qint64 shortest = pixelsPerBase > 0 ? qint64(std::ceil(2.0 / pixelsPerBase)) : 1;
    for (const Placed &p : std::as_const(placed)) {
        qint64 end = p.end;
        if (!p.feature && geometry.span(p.start, p.end) < shortest) {
            end = p.start + shortest - 1;
            if (end > geometry.length)
                end = geometry.circular ? end - geometry.length : geometry.length;
        }
        const QPainterPath sector = geometry.sector(p.start, end, ring(p.ring));
        addSector(fill[p.fill], p.start, sector);
        if (p.feature)
            p.feature->setPath(sector);
    }
    flushFills();
    for (int g = 0; g < geneLabels.size(); ++g) {
        QPointF anchor, direction;
        if (geneLabels[g] && geneAnchor(g, &anchor, &direction))
            geneLabels[g]->setPos(anchor);
    }
    drawFrame();
    gcWindows = 0;
    tickMajor = 0;
}

QColor GenomeMapBuilder::forwardGeneColor(int parity)
{
    return parity == 0 ? QColor(232, 96, 28) : QColor(246, 158, 64);
}

QColor GenomeMapBuilder::reverseGeneColor(int parity)
{
    return parity == 0 ? QColor(30, 70, 200) : QColor(86, 132, 240);
}

QColor GenomeMapBuilder::evenOperonColor()
{
    return QColor(58, 193, 255);
}

QColor GenomeMapBuilder::oddOperonColor()
{
    return QColor(180, 140, 240);
}

QRectF GenomeMapBuilder::mapRect()
{
    return QRectF(-MapHalfSide, -MapHalfSide, 2 * MapHalfSide, 2 * MapHalfSide);
}

QString GenomeMapBuilder::title() const
{
    const QString name = model.genomeTitle.trimmed().isEmpty() ? QObject::tr("Genome")
                                                               : model.genomeTitle.trimmed();
    return wrapped(name, 34) + QLatin1Char('\n') + lengthLabel(model.genomeLength);
}

void GenomeMapBuilder::addSector(SharedFill &fill, qint64 start, const QPainterPath &sector)
{
    // The slice of the sector's first base; a long sector reaching into the
    // next slices only widens its slice's bounds.
    const int slice = qBound(0, int(geometry.turn(double(start) - 1) * Slices), Slices - 1);
    if (fill.slicePaths.isEmpty()) {
        fill.slicePaths.resize(Slices);
        fill.slicePolygons.resize(Slices);
        fill.slices.fill(nullptr, Slices);
    }
    fill.wholePath.addPath(sector);
    fill.slicePaths[slice].addPath(sector);
    fill.slicePolygons[slice].append(sector.toFillPolygon());
    if (!fill.dirtySlices.contains(slice))
        fill.dirtySlices.append(slice);
    fill.dirty = true;
}

void GenomeMapBuilder::flushFills()
{
    for (SharedFill &f : this->fill) {
        SharedFill *fill = &f;
        if (!fill->dirty)
            continue;
        fill->dirty = false;
        if (!fill->whole) {
            fill->whole = genomeScene->addPath(QPainterPath(), Qt::NoPen, fill->color);
            fill->whole->setZValue(1);
            fill->whole->setVisible(exporting);
        }
        fill->whole->setPath(fill->wholePath);
        for (int slice : std::as_const(fill->dirtySlices)) {
            QGraphicsPathItem *&item = fill->slices[slice];
            delete item;
            item = new MapShapes(fill->slicePaths[slice], fill->slicePolygons[slice], true);
            item->setPen(Qt::NoPen);
            item->setBrush(fill->color);
            item->setZValue(1);
            item->setVisible(!exporting);
            genomeScene->addItem(item);
        }
        fill->dirtySlices.clear();
    }
}

OperonsScene *GenomeMapBuilder::build()
{
    genomeScene = new OperonsScene;
    const double margin = 1500;
    genomeScene->setSceneRect(mapRect().adjusted(-margin, -margin, margin, margin));
    features.fill(nullptr, model.genes.size());
    geneLabels.fill(nullptr, model.genes.size());
    for (int i = 0; i < 2; ++i) {
        fill[GeneFill + i].color = forwardGeneColor(i);
        fill[GeneFill + 2 + i].color = reverseGeneColor(i);
        fill[PromoterFill + i].color = promoterColor(i == 0);
        fill[TerminatorFill + i].color = terminatorColor(i == 0);
    }
    fill[OperonFill].color = evenOperonColor();
    fill[OperonFill + 1].color = oddOperonColor();
    ringRadii = ringLayout(0.4);
    signals_ = browser::buildFeatures(model);
    building = true;
    drawGenes();
    drawOperons();
    drawSignals();
    building = false;
    flushFills();
    centreLayout = -1;
    updateLabels(0.4);
    return genomeScene;
}

void GenomeMapBuilder::drawFrame()
{
    // Thin guide circles along the middle of each ring.
    QPainterPath guides;
    QVector<QPolygonF> pieces;
    for (Ring ring : {ringRadii.forwardGenes, ringRadii.forwardOperons, ringRadii.reverseOperons,
                      ringRadii.reverseGenes}) {
        const QVector<QPolygonF> circle = geometry.ringPieces((ring.inner + ring.outer) / 2);
        for (const QPolygonF &piece : circle)
            guides.addPolygon(piece);
        pieces += circle;
    }
    delete guideItem;
    guideItem = new MapShapes(guides, pieces, false);
    guideItem->setPen(QPen(QColor(200, 200, 200), 0));
    guideItem->setZValue(0);
    genomeScene->addItem(guideItem);
}

void GenomeMapBuilder::drawSignals()
{
    for (const browser::Feature &p : std::as_const(signals_.promoters))
        if (p.strand == QLatin1Char('+') || p.strand == QLatin1Char('-'))
            place(p.first, p.last, PromoterRing, PromoterFill + (p.strand == QLatin1Char('-')), nullptr);
    for (const browser::Feature &t : std::as_const(signals_.terminators))
        if (t.strand == QLatin1Char('+') || t.strand == QLatin1Char('-'))
            place(t.first, t.last, TerminatorRing, TerminatorFill + (t.strand == QLatin1Char('-')), nullptr);
}

void GenomeMapBuilder::drawGc(double scale)
{
    // About one window per two pixels of the ring, at least 20 bases and at
    // most 20,000 windows: zooming in shows finer detail.
    const Ring ring = ringRadii.gc;
    const double pixels = geometry.sceneLength(ring.outer, double(geometry.length)) * scale;
    const int windows = int(qBound<qint64>(1, qint64(qMin(pixels / 2, 20000.0)), qMax<qint64>(1, geometry.length / 20)));
    if (windows == gcWindows && gcItems[0])
        return;
    gcWindows = windows;
    for (QGraphicsPathItem *&item : gcItems) {
        delete item;
        item = nullptr;
    }
    if (!geometry.valid() || signals_.sequence.isEmpty())
        return;
    // Bars from the ring's middle, outwards where the window is richer in
    // G+C than the genome, inwards where poorer; the largest deviation
    // fills half the ring.
    const double mean = signals_.gcContent(1, geometry.length);
    QVector<double> share(windows);
    double largest = 1e-9;
    for (int i = 0; i < windows; ++i) {
        const qint64 first = 1 + geometry.length * i / windows;
        const qint64 last = geometry.length * (i + 1) / windows;
        share[i] = signals_.gcContent(first, last);
        if (share[i] >= 0)
            largest = qMax(largest, std::abs(share[i] - mean));
    }
    const double middle = (ring.inner + ring.outer) / 2;
    const double half = (ring.outer - ring.inner) / 2;
    QPainterPath paths[2];
    QVector<QPolygonF> shapes[2];
    for (int i = 0; i < windows; ++i) {
        if (share[i] < 0)
            continue;
        const double r = middle + half * (share[i] - mean) / largest;
        const bool above = r >= middle;
        const Ring bar{qMin(r, middle), qMax(r, middle)};
        if (bar.outer - bar.inner <= 0)
            continue;
        const qint64 first = 1 + geometry.length * i / windows;
        const QPainterPath sector = geometry.sector(first, geometry.length * (i + 1) / windows, bar);
        paths[above ? 0 : 1].addPath(sector);
        shapes[above ? 0 : 1].append(sector.toFillPolygon());
    }
    for (int k = 0; k < 2; ++k) {
        gcItems[k] = new MapShapes(paths[k], shapes[k], true);
        gcItems[k]->setPen(Qt::NoPen);
        gcItems[k]->setBrush(gcColor(k == 0));
        gcItems[k]->setZValue(1);
        genomeScene->addItem(gcItems[k]);
    }
}

void GenomeMapBuilder::fitCentreLabel(double scale)
{
    // The title inside the scale ring, clear of the tick labels: the largest
    // of these layouts that fits the room left at this zoom, else none.
    struct Layout {
        int points;
        int width;      // characters per line; 0: the length alone
    };
    static const Layout layouts[] = {{12, 34}, {11, 26}, {10, 22}, {9, 18}, {8, 16}, {9, 0}};
    const double room = geometry.circular ? ringRadii.scaleRadius * scale - 40.0 : 1e9;
    const QString name = model.genomeTitle.trimmed().isEmpty() ? QObject::tr("Genome") : model.genomeTitle.trimmed();
    int chosen = -1;
    QString text;
    QFont font;
    for (int i = 0; i < int(std::size(layouts)); ++i) {
        font = labelFont(layouts[i].points, true);
        text = layouts[i].width > 0 ? wrapped(name, layouts[i].width) + QLatin1Char('\n') + lengthLabel(model.genomeLength)
                                    : lengthLabel(model.genomeLength);
        const QFontMetricsF metrics(font);
        const QStringList lines = text.split(QLatin1Char('\n'));
        double width = 0;
        for (const QString &line : lines)
            width = qMax(width, metrics.horizontalAdvance(line));
        if (std::hypot(width / 2, metrics.lineSpacing() * lines.size() / 2) <= room) {
            chosen = i;
            break;
        }
    }
    if (chosen == centreLayout && centreLabel)
        return;
    centreLayout = chosen;
    delete centreLabel;
    centreLabel = nullptr;
    if (chosen < 0)
        return;
    centreLabel = new MapLabel(text, font, QPointF(0, 0), 0);
    genomeScene->addItem(centreLabel);
    placeCentreLabel(scale);
}

void GenomeMapBuilder::placeCentreLabel(double scale)
{
    // In the circle's centre; under the scale's labels for a linear replicon.
    if (!centreLabel || scale <= 0)
        return;
    if (geometry.circular) {
        centreLabel->setPos(0, 0);
        return;
    }
    const double below = geometry.pointAt(ringRadii.scaleRadius, 0).y();
    centreLabel->setPos(0, below + (40 + centreLabel->pixelRect().height() / 2) / scale);
}

void GenomeMapBuilder::drawGenes()
{
    if (!geometry.valid())
        return;
    const QFont font = labelFont(8);
    int forward = 0;
    int reverse = 0;
    for (int g = 0; g < model.genes.size(); ++g) {
        const GeneEntry &gene = model.genes[g];
        const bool plus = gene.strand == QLatin1String("+");
        if (!plus && gene.strand != QLatin1String("-"))
            continue;
        if (gene.start < 1 || gene.start > geometry.length || gene.end < 1 || gene.end > geometry.length)
            continue;
        const int parity = plus ? (forward++ % 2) : 2 + (reverse++ % 2);
        auto *feature = new MapFeature(QPainterPath(), MapFeature::Gene, g, g);
        place(gene.start, gene.end, plus ? ForwardGeneRing : ReverseGeneRing, GeneFill + parity, feature);
        feature->setZValue(2);
        feature->setToolTip(QObject::tr("Gene: %1\nLocus tag: %2\nPosition: %3 - %4 (%5 strand)\nLength: %6 bp")
                                .arg(displayName(gene), gene.synonym)
                                .arg(gene.start)
                                .arg(gene.end)
                                .arg(gene.strand)
                                .arg(geometry.span(gene.start, gene.end)));
        genomeScene->addItem(feature);
        features[g] = feature;
        allFeatures.append(feature);

        const double middle = geometry.middle(gene.start, gene.end);
        const QPointF direction = geometry.outward(middle) * (plus ? 1 : -1);
        auto *label = new MapLabel(displayName(gene), font, direction);
        label->setPos(geometry.pointAt(plus ? ringRadii.forwardGenes.outer : ringRadii.reverseGenes.inner, middle));
        label->setZValue(3);
        label->setVisible(false);
        genomeScene->addItem(label);
        geneLabels[g] = label;
        labelOrder.append(g);
    }
    std::stable_sort(labelOrder.begin(), labelOrder.end(), [&](int a, int b) {
        const GeneEntry &x = model.genes[a];
        const GeneEntry &y = model.genes[b];
        return geometry.span(x.start, x.end) > geometry.span(y.start, y.end);
    });
}

void GenomeMapBuilder::drawOperons()
{
    plusOperonCount = 0;
    minusOperonCount = 0;
    if (model.tuMap.isEmpty())
        return;
    const int lastKey = model.tuMap.lastKey();
    for (int k = 0; k <= lastKey; ++k) {
        // values() lists the most recently inserted unit first; among units
        // of equally few genes the one inserted first wins, hence "<=".
        const QList<TuEntry> units = model.tuMap.values(k);
        const TuEntry *chosen = nullptr;
        for (const TuEntry &unit : units) {
            if (!chosen || unit.members.size() <= chosen->members.size())
                chosen = &unit;
        }
        if (!chosen || chosen->geneIndexes.isEmpty())
            continue;
        drawOperonOnMap(chosen->geneIndexes.first(), chosen->geneIndexes.last());
    }
}

void GenomeMapBuilder::drawOperonOnMap(int firstGene, int lastGene)
{
    const int count = model.genes.size();
    if (!genomeScene || !geometry.valid() || firstGene < 0 || lastGene < 0 || firstGene >= count
        || lastGene >= count)
        return;
    const GeneEntry &first = model.genes[firstGene];
    const GeneEntry &last = model.genes[lastGene];
    const bool plus = first.strand == QLatin1String("+");
    if (!plus && first.strand != QLatin1String("-"))
        return;
    const int strandCount = plus ? ++plusOperonCount : ++minusOperonCount;

    // The operon runs from the lowest to the highest coordinate of its
    // genes, across the origin when its last gene ends before it starts.
    const qint64 start = qMin(first.start, last.start);
    qint64 end = qMax(first.end, last.end);
    if (last.end < first.start && lastGene != firstGene)
        end = last.end;
    auto *feature = new MapFeature(QPainterPath(), MapFeature::Operon, firstGene, lastGene);
    place(start, end, plus ? ForwardOperonRing : ReverseOperonRing, OperonFill + strandCount % 2, feature);
    if (!building)
        flushFills();

    feature->setZValue(2);
    QStringList names;
    for (int g = firstGene; g <= lastGene; ++g)
        names << displayName(model.genes[g]);
    feature->setToolTip(QObject::tr("Operon: %1\nPosition: %2 - %3 (%4 strand)")
                            .arg(names.join(QLatin1Char('/')))
                            .arg(start)
                            .arg(end)
                            .arg(first.strand));
    genomeScene->addItem(feature);
    allFeatures.append(feature);
}

void GenomeMapBuilder::drawScale(double scale)
{
    // About one major tick per 110 pixels of the scale ring, at most 1500.
    const double circumference = geometry.sceneLength(ringRadii.scaleRadius, double(geometry.length)) * scale;
    const TickSteps steps = tickSteps(geometry.length, qBound(8.0, circumference / 110.0, 1500.0));
    if (steps.major == tickMajor && tickPath)
        return;
    tickMajor = steps.major;
    qDeleteAll(tickLabels);
    tickLabels.clear();
    delete tickPath;
    tickPath = nullptr;
    if (!geometry.valid())
        return;

    QPainterPath ticks;
    const double radius = ringRadii.scaleRadius;
    QVector<QPolygonF> pieces = geometry.ringPieces(radius);
    for (const QPolygonF &piece : std::as_const(pieces))
        ticks.addPolygon(piece);
    // Ticks of 16 and 7 pixels at any zoom.
    const double majorTick = 16 / scale, minorTick = 7 / scale;
    const QFont font = labelFont(8);
    for (qint64 p = 0; p < geometry.length; p += steps.minor) {
        const bool major = p % steps.major == 0;
        const QPointF outer = geometry.pointAt(radius, double(p));
        const QPointF inner = geometry.pointAt(radius - (major ? majorTick : minorTick), double(p));
        ticks.moveTo(outer);
        ticks.lineTo(inner);
        pieces.append(QPolygonF({outer, inner}));
        // The last major before the origin is left out when it would crowd "0".
        if (major && (p == 0 || geometry.length - p >= steps.major / 2)) {
            auto *label = new MapLabel(positionLabel(p), font, -geometry.outward(double(p)), 2);
            label->setPos(geometry.pointAt(radius - majorTick, double(p)));
            label->setZValue(3);
            genomeScene->addItem(label);
            tickLabels.append(label);
        }
    }
    tickPath = new MapShapes(ticks, pieces, false);
    tickPath->setPen(QPen(QColor(60, 60, 60), 0));
    tickPath->setZValue(1);
    genomeScene->addItem(tickPath);
}

int GenomeMapBuilder::updateLabels(double scale)
{
    shownGeneLabels = 0;
    if (!genomeScene || scale <= 0)
        return 0;
    layoutRings(scale);
    drawScale(scale);
    drawGc(scale);
    fitCentreLabel(scale);
    placeCentreLabel(scale);
    LabelGrid grid;
    auto pixelRect = [scale](const MapLabel *label) {
        return label->pixelRect().translated(label->pos() * scale);
    };
    if (centreLabel)
        grid.add(pixelRect(centreLabel));
    for (const MapLabel *label : std::as_const(tickLabels))
        grid.add(pixelRect(label));
    const double pixelsPerBase = geometry.sceneLength(ringRadii.reverseGenes.inner, 1.0) * scale;
    // The marked gene's name comes first, so that the pointer stands at its
    // own name and not at a neighbour's that took the room.
    QVector<int> order;
    const bool marked = markedGene >= 0 && markedGene < geneLabels.size() && geneLabels[markedGene];
    if (marked)
        order << markedGene;
    for (int g : std::as_const(labelOrder))
        if (!marked || g != markedGene)
            order << g;
    for (int g : std::as_const(order)) {
        MapLabel *label = geneLabels[g];
        if (!label)
            continue;
        const GeneEntry &gene = model.genes[g];
        label->setGap(g == markedGene && !exporting ? PointerLength + 3.0 : 3.0);
        // A name shows only where its gene is at least a few pixels long.
        bool show = g == markedGene || geometry.span(gene.start, gene.end) * pixelsPerBase >= 4.0;
        if (show) {
            const QRectF r = pixelRect(label).adjusted(-2, -1, 2, 1);
            show = g == markedGene || grid.fits(r);
            if (show)
                grid.add(r);
        }
        label->setVisible(show);
        shownGeneLabels += show ? 1 : 0;
    }
    return shownGeneLabels;
}

void GenomeMapBuilder::setExporting(bool on)
{
    exporting = on;
    for (MapFeature *feature : std::as_const(allFeatures))
        feature->setVisible(!on);
    for (SharedFill &f : this->fill) {
        SharedFill *fill = &f;
        if (fill->whole)
            fill->whole->setVisible(on);
        for (QGraphicsPathItem *slice : std::as_const(fill->slices))
            if (slice)
                slice->setVisible(!on);
    }
}

bool GenomeMapBuilder::geneAnchor(int g, QPointF *anchor, QPointF *direction) const
{
    if (g < 0 || g >= features.size() || !features[g])
        return false;
    const GeneEntry &gene = model.genes[g];
    const bool plus = gene.strand == QLatin1String("+");
    const double middle = geometry.middle(gene.start, gene.end);
    *anchor = geometry.pointAt(plus ? ringRadii.forwardGenes.outer : ringRadii.reverseGenes.inner, middle);
    *direction = geometry.outward(middle) * (plus ? 1 : -1);
    return true;
}

namespace {

struct LegendEntry {
    QColor color;
    QString text;
};

QVector<LegendEntry> legendEntries()
{
    return {
        {GenomeMapBuilder::forwardGeneColor(0), QObject::tr("Genes, forward strand (+): outer ring")},
        {GenomeMapBuilder::evenOperonColor(), QObject::tr("Operons, forward strand / reverse strand")},
        {GenomeMapBuilder::oddOperonColor(), QObject::tr("(neighbouring operons alternate colours)")},
        {GenomeMapBuilder::promoterColor(true), QObject::tr("Promoters, forward / reverse (lighter)")},
        {GenomeMapBuilder::terminatorColor(true), QObject::tr("Terminators, forward / reverse (lighter)")},
        {GenomeMapBuilder::reverseGeneColor(0), QObject::tr("Genes, reverse strand (\u2212): inner ring")},
        {GenomeMapBuilder::gcColor(true), QObject::tr("GC content above / below (lighter) the mean")},
        {QColor(60, 60, 60), QObject::tr("Scale: position from the origin, clockwise")},
    };
}

} // namespace

QSizeF GenomeMapBuilder::legendSize()
{
    const QFontMetricsF metrics(labelFont(9));
    double width = 0;
    const QVector<LegendEntry> entries = legendEntries();
    for (const LegendEntry &e : entries)
        width = qMax(width, metrics.horizontalAdvance(e.text));
    return QSizeF(width + 40, (metrics.height() + 4) * entries.size() + 10);
}

void GenomeMapBuilder::paintLegend(QPainter *painter, QPointF at) const
{
    const QVector<LegendEntry> entries = legendEntries();
    const QFont font = labelFont(9);
    const QFontMetricsF metrics(font);
    const double line = metrics.height() + 4;
    const QRectF box(at, legendSize());
    const double width = box.width() - 40;
    painter->save();
    painter->setPen(QPen(QColor(160, 160, 160), 1));
    painter->setBrush(QColor(255, 255, 255, 225));
    painter->drawRect(box);
    painter->setFont(font);
    double y = box.top() + 5;
    for (const LegendEntry &e : entries) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(e.color);
        painter->drawRect(QRectF(box.left() + 8, y + line / 2 - 5, 18, 10));
        painter->setPen(Qt::black);
        painter->drawText(QRectF(box.left() + 32, y, width + 4, line), Qt::AlignVCenter, e.text);
        y += line;
    }
    painter->restore();
}
