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

QPointF Geometry::pointAt(double radius, double position) const
{
    const double a = turn(position) * 2 * Pi;
    return {radius * std::sin(a), -radius * std::cos(a)};
}

QPointF Geometry::outward(double position) const
{
    return pointAt(1.0, position);
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
