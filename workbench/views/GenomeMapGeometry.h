// Geometry of the circular genome map: a genome of L base pairs is a circle
// of diameter L / 6283.1852 scene units; position p lies at the angle
// p / L * 2 pi, growing clockwise on screen from the right-hand side.
#pragma once

#include <QPointF>

namespace genomemap {

struct Geometry {
    int length = 0;       // genome length L, base pairs
    double diameter = 0;  // D
    double radius = 0;    // R = D / 2

    explicit Geometry(int genomeLength);

    bool valid() const { return length > 0; }
    // Angle, in radians, of a genome position.
    double angle(double position) const;
    // The angle of a gene is that of its midpoint; a gene whose end is not
    // beyond its start runs across the origin.
    double geneAngle(int start, int end) const;
    // The gene's length in base pairs, across the origin when end <= start.
    int geneSpan(int start, int end) const;
    static QPointF pointAt(double radius, double angle);
};

// Scale factor of one step of a zoom slider from lastValue to value, where
// each unit of the slider multiplies the view's scale by base.
double sliderScaleFactor(int value, double lastValue, double base, double inverseBase);
double genomeScaleFactor(int value, double lastValue);
double geneScaleFactor(int value, double lastValue);

} // namespace genomemap
