#include "GenomeMapGeometry.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace genomemap {

namespace {
constexpr double Pi = 3.14159265358979323846;
}

double Geometry::turn(double position) const
{
    return length > 0 ? position / double(length) : 0.0;
}

qint64 Geometry::span(qint64 start, qint64 end) const
{
    return end >= start ? end - start + 1 : end + length - start + 1;
}

double Geometry::middle(qint64 start, qint64 end) const
{
    const double m = double(start) + (span(start, end) - 1) / 2.0;
    return m > length ? m - length : m;
}

RingLayout ringLayout(double scale)
{
    // Widths and gaps in pixels, from the outside in.
    constexpr double Genes = 16, Operons = 8, Promoters = 6, Terminators = 6, Names = 56, Gc = 22;
    constexpr double Small = 2, Gap = 3;
    constexpr double Total = Genes + Gap + Operons + Gap + Promoters + Small + Terminators + Gap + Operons + Gap
                             + Genes + Names + Gc + Gap;
    // At most 45 % of the radius, whatever the zoom.
    const double unit = scale > 0 ? qMin(1.0 / scale, 0.45 * OuterRadius / Total) : 0.45 * OuterRadius / Total;
    RingLayout layout;
    double r = OuterRadius;
    auto take = [&](double width, double gapAfter) {
        const Ring ring{r - width * unit, r};
        r = ring.inner - gapAfter * unit;
        return ring;
    };
    layout.forwardGenes = take(Genes, Gap);
    layout.forwardOperons = take(Operons, Gap);
    layout.promoters = take(Promoters, Small);
    layout.terminators = take(Terminators, Gap);
    layout.reverseOperons = take(Operons, Gap);
    layout.reverseGenes = take(Genes, Names);
    layout.gc = take(Gc, Gap);
    layout.scaleRadius = r;
    return layout;
}

QPointF Geometry::pointAt(double radius, double position) const
{
    if (!circular)
        return {(turn(position) - 0.5) * LineLength, LineTop + OuterRadius - radius};
    const double a = turn(position) * 2 * Pi;
    return {radius * std::sin(a), -radius * std::cos(a)};
}

QPointF Geometry::outward(double position) const
{
    if (!circular)
        return {0.0, -1.0};
    return pointAt(1.0, position);
}

double Geometry::sceneLength(double radius, double bases) const
{
    if (length <= 0)
        return 0;
    return bases / double(length) * (circular ? 2 * Pi * radius : LineLength);
}

QVector<QPolygonF> Geometry::ringPieces(double radius) const
{
    // Chords of a quarter degree, as the sectors use, 64 to a piece; a line
    // in 22 pieces for a linear replicon.
    constexpr int Segments = 1440;
    constexpr int PerPiece = 64;
    QVector<QPolygonF> pieces;
    for (int first = 0; first < Segments; first += PerPiece) {
        QPolygonF piece;
        if (!circular) {
            const double to = qMin(first + PerPiece, Segments);
            piece << pointAt(radius, double(length) * first / Segments) << pointAt(radius, double(length) * to / Segments);
        } else {
            for (int i = first; i <= first + PerPiece; ++i) {
                const double angle = 2 * Pi * i / Segments;
                piece << QPointF(radius * std::sin(angle), -radius * std::cos(angle));
            }
        }
        pieces.append(piece);
    }
    return pieces;
}

QPainterPath Geometry::sector(qint64 start, qint64 end, Ring ring) const
{
    QPainterPath path;
    if (!valid())
        return path;
    // Straight segments of at most a quarter degree: indistinguishable from
    // the arc at any zoom of the map, and a short path for thousands of
    // sectors (two points per side for a typical gene).
    const double from = double(start) - 1;
    const double length = double(span(start, end));
    if (!circular) {
        // A linear replicon has no origin to cross: a part past its end is
        // cut there.
        const double to = qMin(double(this->length), from + length);
        const QPointF topLeft = pointAt(ring.outer, from);
        path.addRect(QRectF(topLeft, pointAt(ring.inner, to)));
        return path;
    }
    const int segments = qMax(1, int(std::ceil(length / this->length * 360.0 / 0.25)));
    QPolygonF outline;
    outline.reserve(2 * segments + 2);
    for (int i = 0; i <= segments; ++i)
        outline << pointAt(ring.outer, from + length * i / segments);
    for (int i = segments; i >= 0; --i)
        outline << pointAt(ring.inner, from + length * i / segments);
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

TickSteps tickSteps(qint64 length, double wanted)
{
    TickSteps steps;
    if (length <= 0 || wanted <= 0)
        return steps;
    const double raw = double(length) / wanted;
    qint64 power = 1;
    while (power * 10 <= raw)
        power *= 10;
    for (int factor : {1, 2, 5, 10}) {
        steps.major = power * factor;
        if (steps.major >= raw)
            break;
    }
    steps.major = qMax<qint64>(steps.major, 10);
    const bool byTwo = steps.major / power == 2;
    steps.minor = qMax<qint64>(1, steps.major / (byTwo ? 4 : 5));
    return steps;
}

QString positionLabel(qint64 position)
{
    auto trimmed = [](double value) {
        return QString::number(value, 'f', 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
    };
    if (position == 0)
        return QStringLiteral("0");
    if (position >= 1000000)
        return trimmed(position / 1e6) + QStringLiteral(" Mb");
    if (position >= 1000)
        return trimmed(position / 1e3) + QStringLiteral(" kb");
    return QString::number(position) + QStringLiteral(" bp");
}

QString lengthLabel(qint64 length)
{
    const QString exact = QLocale(QLocale::English).toString(length) + QStringLiteral(" bp");
    if (length < 100000)
        return exact;
    const QString rounded = length >= 1000000
        ? QString::number(length / 1e6, 'f', 2) + QStringLiteral(" Mb")
        : QString::number(length / 1e3, 'f', 1) + QStringLiteral(" kb");
    return rounded + QStringLiteral(" (") + exact + QStringLiteral(")");
}

} // namespace genomemap
