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

GenomeMapBuilder::GenomeMapBuilder(const ProjectModel &m)
    : model(m), geometry(m.genomeLength)
{
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
    for (SharedFill *fill : {&geneFill[0], &geneFill[1], &geneFill[2], &geneFill[3], &operonFill[0],
                             &operonFill[1]}) {
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
    for (int i = 0; i < 4; ++i)
        geneFill[i].color = i < 2 ? forwardGeneColor(i) : reverseGeneColor(i - 2);
    operonFill[0].color = evenOperonColor();
    operonFill[1].color = oddOperonColor();
    drawFrame();
    building = true;
    drawGenes();
    drawOperons();
    building = false;
    flushFills();
    updateLabels(0.4);
    return genomeScene;
}

void GenomeMapBuilder::drawFrame()
{
    // Thin guide circles along the middle of each ring.
    QPainterPath guides;
    QVector<QPolygonF> pieces;
    for (Ring ring : {ForwardGenes, ForwardOperons, ReverseOperons, ReverseGenes}) {
        const double r = (ring.inner + ring.outer) / 2;
        guides.addEllipse(QPointF(0, 0), r, r);
        pieces += circlePieces(r);
    }
    auto *guideItem = new MapShapes(guides, pieces, false);
    guideItem->setPen(QPen(QColor(200, 200, 200), 0));
    guideItem->setZValue(0);
    genomeScene->addItem(guideItem);

    centreLayout = -1;
    fitCentreLabel(0.4);
}

QVector<QPolygonF> GenomeMapBuilder::circlePieces(double radius) const
{
    // Chords of a quarter degree, as the sectors use, 64 to a piece.
    constexpr int Segments = 1440;
    constexpr int PerPiece = 64;
    QVector<QPolygonF> pieces;
    for (int first = 0; first < Segments; first += PerPiece) {
        QPolygonF piece;
        for (int i = first; i <= first + PerPiece; ++i) {
            const double angle = 2 * M_PI * i / Segments;
            piece << QPointF(radius * std::sin(angle), -radius * std::cos(angle));
        }
        pieces.append(piece);
    }
    return pieces;
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
    const double room = ScaleRadius * scale - 40.0;
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
        const QPainterPath sector = geometry.sector(gene.start, gene.end, plus ? ForwardGenes : ReverseGenes);
        const int fill = plus ? (forward++ % 2) : 2 + (reverse++ % 2);
        addSector(geneFill[fill], gene.start, sector);

        auto *feature = new MapFeature(sector, MapFeature::Gene, g, g);
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
        label->setPos(geometry.pointAt(plus ? ForwardGenes.outer : ReverseGenes.inner, middle));
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
    const QPainterPath sector = geometry.sector(start, end, plus ? ForwardOperons : ReverseOperons);
    addSector(operonFill[strandCount % 2], start, sector);
    if (!building)
        flushFills();

    auto *feature = new MapFeature(sector, MapFeature::Operon, firstGene, lastGene);
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
    const double circumference = 2 * M_PI * ScaleRadius * scale;
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
    ticks.addEllipse(QPointF(0, 0), ScaleRadius, ScaleRadius);
    QVector<QPolygonF> pieces = circlePieces(ScaleRadius);
    const QFont font = labelFont(8);
    for (qint64 p = 0; p < geometry.length; p += steps.minor) {
        const bool major = p % steps.major == 0;
        const QPointF outer = geometry.pointAt(ScaleRadius, double(p));
        const QPointF inner = geometry.pointAt(ScaleRadius - (major ? 16 : 7), double(p));
        ticks.moveTo(outer);
        ticks.lineTo(inner);
        pieces.append(QPolygonF({outer, inner}));
        // The last major before the origin is left out when it would crowd "0".
        if (major && (p == 0 || geometry.length - p >= steps.major / 2)) {
            auto *label = new MapLabel(positionLabel(p), font, -geometry.outward(double(p)), 2);
            label->setPos(geometry.pointAt(ScaleRadius - 16, double(p)));
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
    drawScale(scale);
    fitCentreLabel(scale);
    LabelGrid grid;
    auto pixelRect = [scale](const MapLabel *label) {
        return label->pixelRect().translated(label->pos() * scale);
    };
    if (centreLabel)
        grid.add(pixelRect(centreLabel));
    for (const MapLabel *label : std::as_const(tickLabels))
        grid.add(pixelRect(label));
    const double pixelsPerBase = geometry.valid() ? 2 * M_PI * ReverseGenes.inner * scale / geometry.length : 0;
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
    for (SharedFill *fill : {&geneFill[0], &geneFill[1], &geneFill[2], &geneFill[3], &operonFill[0],
                             &operonFill[1]}) {
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
    *anchor = geometry.pointAt(plus ? ForwardGenes.outer : ReverseGenes.inner, middle);
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
        {GenomeMapBuilder::reverseGeneColor(0), QObject::tr("Genes, reverse strand (\u2212): inner ring")},
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
