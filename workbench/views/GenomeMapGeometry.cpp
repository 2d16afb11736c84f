#include "GenomeMapGeometry.h"

#include <cmath>

namespace genomemap {

Geometry::Geometry(int genomeLength)
    : length(genomeLength)
    , diameter(genomeLength / 6283.1852)
    , radius(diameter / 2)
{
}

double Geometry::angle(double position) const
{
    return length > 0 ? (position / length) * 2 * 3.1415926 : 0.0;
}

double Geometry::geneAngle(int start, int end) const
{
    const double middle = end > start ? (double(start) + end) / 2
                                      : (double(start) + end + length) / 2;
    return angle(middle);
}

int Geometry::geneSpan(int start, int end) const
{
    return end > start ? end - start : end + length - start;
}

QPointF Geometry::pointAt(double r, double a)
{
    return QPointF(r * std::cos(a), r * std::sin(a));
}

double sliderScaleFactor(int value, double lastValue, double base, double inverseBase)
{
    return value > lastValue ? std::pow(base, value - lastValue)
                             : std::pow(inverseBase, lastValue - value);
}

double genomeScaleFactor(int value, double lastValue)
{
    return sliderScaleFactor(value, lastValue, 1.05, 0.9523809523809523);
}

double geneScaleFactor(int value, double lastValue)
{
    return sliderScaleFactor(value, lastValue, 1.01, 0.9900990099009901);
}

} // namespace genomemap
