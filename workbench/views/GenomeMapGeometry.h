// Geometry of the genome map. Whatever the genome's length, the map has the
// same size in scene units: the outermost ring has radius OuterRadius and
// position p of a genome of L base pairs lies at the angle p / L of a full
// turn, clockwise from twelve o'clock. A linear replicon is drawn as a line
// instead: p / L of LineLength from left to right, a ring's radius r
// becoming the height OuterRadius - r below the line's top.
//
// Rings have a fixed width on screen: zooming in makes the circle larger,
// not its rings thicker, so ringLayout() gives their radii for a zoom.
// From the outside in: forward genes, forward operons, promoters,
// terminators, reverse operons, reverse genes, room for the reverse genes'
// names, GC content, then the scale ring with its ticks pointing inwards.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QVector>

namespace genomemap {

struct Ring {
    double inner;
    double outer;
};

constexpr double OuterRadius = 1000.0;
// Half the side of the square the whole map (with its outer labels) fits in.
constexpr double MapHalfSide = 1080.0;
// The length of a linear replicon's line, and how far its top lies above
// the map's centre.
constexpr double LineLength = 2000.0;
constexpr double LineTop = -250.0;

struct RingLayout {
    Ring forwardGenes, forwardOperons, promoters, terminators, reverseOperons, reverseGenes, gc;
    double scaleRadius = 0;
};
// The rings at `scale` pixels per scene unit: each of a fixed width in
// pixels, narrowed together only when the map is too small on screen for
// them to leave the inner part of the circle free.
RingLayout ringLayout(double scale);

struct Geometry {
    qint64 length = 0;   // genome length L, base pairs
    bool circular = true;

    explicit Geometry(qint64 genomeLength, bool isCircular = true)
        : length(genomeLength), circular(isCircular) {}

    bool valid() const { return length > 0; }
    // Turn fraction of a genome position: 0 at the top, 0.25 on the right.
    double turn(double position) const;
    // The base pairs a gene covers, across the origin when end < start.
    qint64 span(qint64 start, qint64 end) const;
    // The gene's middle position, across the origin when end < start.
    double middle(qint64 start, qint64 end) const;
    // The scene point at radius r of a genome position.
    QPointF pointAt(double radius, double position) const;
    // Outward unit vector at a genome position.
    QPointF outward(double position) const;
    // The ring sector covering start..end (1-based, inclusive).
    QPainterPath sector(qint64 start, qint64 end, Ring ring) const;
    // The scene length of `bases` base pairs along the ring of radius r.
    double sceneLength(double radius, double bases) const;
    // The ring of radius r as short polylines (a line for a linear replicon).
    QVector<QPolygonF> ringPieces(double radius) const;
};

// Tick marks of the scale ring: a major step (1, 2 or 5 times a power of
// ten base pairs) giving about `wanted` majors, and the minor step.
struct TickSteps {
    qint64 major = 0;
    qint64 minor = 0;
};
TickSteps tickSteps(qint64 length, double wanted);

// "0", "750 bp", "2 kb", "12.5 kb", "1.5 Mb": a position for the scale.
QString positionLabel(qint64 position);

// "9,609 bp" / "4.64 Mb (4,641,652 bp)": a genome length for the title.
QString lengthLabel(qint64 length);

} // namespace genomemap
