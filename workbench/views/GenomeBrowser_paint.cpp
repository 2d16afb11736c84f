// Painting the genome browser: the ruler, the sequence at base level, the
// feature tracks and the GC plots, each track a fixed band of the widget;
// every feature drawn is remembered for tooltips, clicks and tests.
#include "GenomeBrowser.h"

#include "BrowserLayout.h"
#include "ProjectModel.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace browserlayout;

namespace {

// Tick spacing of 1, 2 or 5 times a power of ten, at least `minimum` bases.
qint64 niceStep(double minimum)
{
    qint64 step = 1;
    while (true) {
        for (int k : {1, 2, 5})
            if (double(step * k) >= minimum)
                return step * k;
        step *= 10;
    }
}

const QColor forwardColour(214, 69, 65);
const QColor reverseColour(46, 139, 87);
const QColor selectionColour(20, 90, 230);

} // namespace

struct GenomeBrowser::Painter {
    GenomeBrowser &b;
    QPainter p;
    double left = GenomeBrowser::nameColumn;
    double right;

    explicit Painter(GenomeBrowser &browser) : b(browser), p(&browser), right(browser.width()) {}

    double x1(qint64 first) const { return left + b.axis_.xOfBaseStart(first); }
    double x2(qint64 last) const { return left + b.axis_.xOfBaseEnd(last); }
    bool visible(const browser::Feature &f) const
    {
        return x2(f.last) >= left - 1 && x1(f.first) <= right + 1;
    }
    // Calls draw(feature, index) for every feature of the list in sight.
    template <typename Draw>
    void eachVisible(const QVector<browser::Feature> &features, Draw draw)
    {
        for (int i = 0; i < features.size(); ++i)
            if (visible(features[i]))
                draw(features[i], i);
    }
    // The same, with each feature's box in the band from `top`, `height` high.
    template <typename Draw>
    void eachVisible(const QVector<browser::Feature> &features, double top, double height, Draw draw)
    {
        eachVisible(features, [&](const browser::Feature &f, int i) { draw(f, i, box(f.first, f.last, top, height)); });
    }
    // The feature's rectangle in a band, at least one pixel wide.
    QRectF box(qint64 first, qint64 last, double top, double height) const
    {
        double a = x1(first);
        double c = x2(last);
        if (c - a < 1) {
            const double mid = (a + c) / 2;
            a = mid - 0.5;
            c = mid + 0.5;
        }
        return QRectF(QPointF(a, top), QPointF(c, top + height));
    }
    void remember(const QRectF &rect, browser::Kind kind, int index)
    {
        b.hits_.push_back({rect, kind, index});
    }
    // A label centred in the rectangle when it fits there, left out otherwise.
    void label(const QRectF &rect, const QString &text, const QColor &colour = Qt::black)
    {
        const QRectF shown = rect.intersected(QRectF(left, rect.top(), right - left, rect.height()));
        if (text.isEmpty() || p.fontMetrics().horizontalAdvance(text) + 4 > shown.width())
            return;
        p.setPen(colour);
        p.drawText(shown, Qt::AlignCenter, text);
    }

    void names()
    {
        p.fillRect(QRectF(0, 0, left, b.height()), QColor(244, 244, 244));
        p.setPen(QColor(90, 90, 90));
        for (int t = 0; t < TrackCount; ++t)
            p.drawText(QRectF(6, trackTop(Track(t)), left - 10, trackHeight[t]), Qt::AlignVCenter | Qt::AlignLeft,
                       QObject::tr(trackName[t]));
        p.setPen(QColor(225, 225, 225));
        for (int t = 1; t < TrackCount; ++t)
            p.drawLine(QPointF(0, trackTop(Track(t))), QPointF(right, trackTop(Track(t))));
    }

    void ruler()
    {
        const double top = trackTop(Ruler);
        const double bottom = top + trackHeight[Ruler];
        const double labelWidth = p.fontMetrics().horizontalAdvance(QLocale().toString(b.axis_.lastVisible())) + 24;
        const qint64 step = niceStep(labelWidth * b.axis_.basesPerPixel());
        p.setPen(Qt::black);
        p.drawLine(QPointF(left, bottom - 1), QPointF(right, bottom - 1));
        const qint64 firstMark = std::max<qint64>(step, (b.axis_.firstVisible() / step) * step);
        for (qint64 v = firstMark; v <= b.axis_.lastVisible(); v += step) {
            // The mark of base v stands in the middle of that base.
            const double x = left + b.axis_.xOf(double(v) - 0.5);
            if (x < left || x > right)
                continue;
            p.drawLine(QPointF(x, bottom - 8), QPointF(x, bottom - 1));
            // A number that would be cut at either edge is left out.
            const QString text = QLocale().toString(v);
            const double half = p.fontMetrics().horizontalAdvance(text) / 2.0 + 1;
            if (x - half >= left && x + half <= right)
                p.drawText(QRectF(x - labelWidth / 2, top, labelWidth, bottom - top - 8), Qt::AlignCenter, text);
            b.rulerMarks_.push_back({v, x});
        }
    }

    void sequence()
    {
        const double top = trackTop(Sequence);
        const double ppb = b.axis_.pixelsPerBase();
        const QString &forward = b.model_->forwardSequence;
        const QString &complement = b.model_->complementSequence;
        if (ppb < 2 || forward.isEmpty()) {
            p.setPen(QColor(140, 140, 140));
            p.drawText(QRectF(left + 6, top, right - left, trackHeight[Sequence]), Qt::AlignVCenter,
                       forward.isEmpty() ? QObject::tr("no sequence loaded")
                                         : QObject::tr("zoom in to see the sequence"));
            return;
        }
        const bool letters = ppb >= 7;
        b.sequenceShown_ = letters;
        QFont font = p.font();
        font.setFamily(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::TypeWriter);
        font.setPixelSize(std::clamp(int(ppb), 8, 14));
        p.save();
        p.setFont(font);
        for (qint64 pos = b.axis_.firstVisible(); pos <= b.axis_.lastVisible() && pos <= forward.size(); ++pos) {
            const QChar base = forward.at(pos - 1).toUpper();
            const QChar pair = pos <= complement.size() ? complement.at(pos - 1).toUpper() : QChar('?');
            for (int row = 0; row < 2; ++row) {
                const QChar c = row == 0 ? base : pair;
                const QRectF cell(x1(pos), top + 2 + row * 16, ppb, 16);
                const QColor colour = c == 'A' ? QColor(40, 160, 40)
                                    : c == 'C' ? QColor(30, 90, 220)
                                    : c == 'G' ? QColor(220, 140, 0)
                                    : c == 'T' ? QColor(210, 40, 40)
                                               : QColor(120, 120, 120);
                if (letters) {
                    p.setPen(colour);
                    p.drawText(cell, Qt::AlignCenter, c);
                } else {
                    p.fillRect(cell.adjusted(0, 3, 0, -3), colour);
                }
            }
        }
        p.restore();
    }

    void genes()
    {
        eachVisible(b.features_.genes, [&](const browser::Feature &f, int i) {
            const bool forward = f.strand == QLatin1Char('+');
            const Track track = forward ? GenesPlus : GenesMinus;
            const QRectF r = box(f.first, f.last, trackTop(track) + 5, trackHeight[track] - 10);
            // An arrow pointing to the 3' end; the head never longer than half the gene.
            const double head = std::min(8.0, r.width() / 2);
            QPainterPath arrow;
            if (forward) {
                arrow.moveTo(r.left(), r.top());
                arrow.lineTo(r.right() - head, r.top());
                arrow.lineTo(r.right(), r.center().y());
                arrow.lineTo(r.right() - head, r.bottom());
                arrow.lineTo(r.left(), r.bottom());
            } else {
                arrow.moveTo(r.right(), r.top());
                arrow.lineTo(r.left() + head, r.top());
                arrow.lineTo(r.left(), r.center().y());
                arrow.lineTo(r.left() + head, r.bottom());
                arrow.lineTo(r.right(), r.bottom());
            }
            arrow.closeSubpath();
            const bool selected = f.gene == b.selectedGene_;
            p.setPen(selected ? QPen(selectionColour, 2.5) : QPen(QColor(60, 60, 60), r.width() > 4 ? 0.8 : 0));
            p.setBrush(forward ? forwardColour : reverseColour);
            p.drawPath(arrow);
            label(r, f.label, Qt::white);
            remember(r, browser::Kind::Gene, i);
        });
    }

    void operons()
    {
        const double top = trackTop(Operons) + 4;
        eachVisible(b.features_.operons, top, trackHeight[Operons] - 8,
                    [&](const browser::Feature &f, int i, const QRectF &r) {
            const bool selected = b.selectedGene_ >= 0 && b.features_.operonOfGene.value(b.selectedGene_) == f.operon;
            p.setPen(selected ? QPen(selectionColour, 2) : QPen(QColor(110, 110, 110), 0));
            p.setBrush(QColor(232, 222, 180));
            p.drawRect(r);
            label(r, f.label);
            remember(r, browser::Kind::Operon, i);
        });
    }

    // A mark at each junction of neighbouring genes, from red (a boundary)
    // to green (one operon), with its probability where there is room.
    void links()
    {
        const double top = trackTop(Links) + 3;
        const double h = trackHeight[Links] - 6;
        double labelsEnd = left;
        eachVisible(b.features_.links, top, h, [&](const browser::Feature &f, int i, QRectF r) {
            if (r.width() < 4)
                r.adjust(-(4 - r.width()) / 2, 0, (4 - r.width()) / 2, 0);
            const double q = std::clamp(f.probability, 0.0, 1.0);
            // The probability beside the mark, to its right, where it does not
            // run into the previous one.
            const double width = p.fontMetrics().horizontalAdvance(f.label) + 6;
            const QRectF text(r.right() + 1, top - 2, width, h + 4);
            if (r.left() > labelsEnd && text.right() < right) {
                p.setPen(Qt::black);
                p.drawText(text, Qt::AlignCenter, f.label);
                labelsEnd = text.right();
            }
            remember(r, browser::Kind::Link, i);
            if (labelsEnd == text.right())
                remember(text, browser::Kind::Link, i);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor::fromRgbF(0.80 * (1 - q), 0.55 * q, 0.10));
            p.drawRect(r);
        });
    }

    void units()
    {
        // Units of an operon with one unit on the upper lane; alternative
        // units alternate between both lanes, hatched.
        const double lane = (trackHeight[Units] - 6) / 2.0;
        int alternativeCount = 0;
        int lastOperon = -1;
        for (int i = 0; i < b.features_.units.size(); ++i) {
            const browser::Feature &f = b.features_.units[i];
            if (f.operon != lastOperon) {
                alternativeCount = 0;
                lastOperon = f.operon;
            }
            const int laneIndex = f.alternative ? (alternativeCount++ % 2) : 0;
            if (!visible(f))
                continue;
            const QRectF r = box(f.first, f.last, trackTop(Units) + 3 + laneIndex * lane, lane - 2);
            p.setPen(QPen(QColor(90, 90, 140), 0));
            p.setBrush(f.alternative ? QBrush(QColor(150, 150, 215), Qt::Dense4Pattern) : QBrush(QColor(190, 190, 235)));
            p.drawRect(r);
            remember(r, browser::Kind::Unit, i);
        }
    }

    void promoters()
    {
        const double top = trackTop(Promoters) + 4;
        const double h = trackHeight[Promoters] - 8;
        eachVisible(b.features_.promoters, top, h, [&](const browser::Feature &f, int i, const QRectF &r) {
            p.setPen(QPen(QColor(80, 80, 80), 1));
            p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
            // The -35 and -10 boxes.
            p.setPen(Qt::NoPen);
            for (int part = 0; part < 2; ++part) {
                if (f.partLast[part] < f.partFirst[part])
                    continue;
                p.setBrush(part == 0 ? QColor(255, 150, 40) : QColor(170, 60, 200));
                p.drawRect(box(f.partFirst[part], f.partLast[part], top, h));
            }
            remember(r, browser::Kind::Promoter, i);
        });
    }

    void terminators()
    {
        const double top = trackTop(Terminators) + 3;
        const double h = trackHeight[Terminators] - 6;
        eachVisible(b.features_.terminators, top, h, [&](const browser::Feature &f, int i, const QRectF &r) {
            const QRectF stem = box(f.partFirst[0], f.partLast[0], top, h);
            p.setPen(QPen(QColor(70, 70, 70), 1));
            p.drawLine(QPointF(r.left(), r.bottom() - 1), QPointF(r.right(), r.bottom() - 1));
            // The hairpin: two stems rising from the baseline, closed by the loop.
            QPainterPath hairpin;
            const double w = stem.width();
            hairpin.moveTo(stem.left(), stem.bottom() - 1);
            hairpin.lineTo(stem.left() + w * 0.38, stem.top() + h * 0.35);
            hairpin.arcTo(QRectF(stem.left() + w * 0.3, stem.top(), w * 0.4, h * 0.5), 180, -180);
            hairpin.lineTo(stem.right(), stem.bottom() - 1);
            p.setPen(QPen(QColor(30, 110, 200), std::clamp(w / 12, 1.0, 3.0)));
            p.setBrush(Qt::NoBrush);
            p.drawPath(hairpin);
            remember(r, browser::Kind::Terminator, i);
        });
    }

    // A data track: one strand above its baseline, or the forward strand
    // above and the reverse strand below the middle line; bars of each bin's
    // mean, scaled to the stretch's largest mean or to the file's maximum.
    void dataTrack(int index)
    {
        const GenomeBrowser::DataTrack &t = b.dataTracks_[index];
        const double top = GenomeBrowser::dataTrackTop(index) + 2;
        const double h = GenomeBrowser::dataTrackHeight - 4;
        const int bins = std::max(1, int(std::min<double>((right - left) / 2, b.axis_.span())));
        const GenomeBrowser::DataTrack::Cache &c = b.dataSummary(index, bins);
        const auto scaled = [&](double v) { return t.logScale ? std::log10(1 + std::max(0.0, v)) : v; };
        double high = 0;
        if (t.autoscale) {
            for (const auto *means : {&c.forward.mean, &c.reverse.mean})
                for (double v : *means)
                    if (!std::isnan(v))
                        high = std::max(high, v);
        } else {
            high = std::max(t.forward->maximum(), t.reverse ? t.reverse->maximum() : 0.0);
        }
        const double stranded = t.reverse ? 2.0 : 1.0;
        const double baseline = t.reverse ? top + h / 2 : top + h;
        const double room = h / stranded - 1;
        const double full = scaled(high);
        const double binWidth = (b.axis_.xOf(double(c.end)) - b.axis_.xOf(double(c.start))) / bins;
        const double x0 = left + b.axis_.xOf(double(c.start));
        // Bars are upright rectangles: one outline per strand, filled
        // without antialiasing.
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int strand = 0; strand < int(stranded) && full > 0; ++strand) {
            const std::vector<double> &means = strand == 0 ? c.forward.mean : c.reverse.mean;
            const double sign = strand == 0 ? -1 : 1;
            QPolygonF outline;
            outline << QPointF(x0, baseline);
            for (int k = 0; k < int(means.size()); ++k) {
                const double v = means[size_t(k)];
                const double length = std::isnan(v) || v <= 0 ? 0 : room * std::min(1.0, scaled(v) / full);
                const double x = x0 + k * binWidth;
                outline << QPointF(x, baseline + sign * length) << QPointF(x + binWidth, baseline + sign * length);
            }
            outline << QPointF(x0 + int(means.size()) * binWidth, baseline);
            p.setPen(Qt::NoPen);
            p.setBrush(strand == 0 ? QColor(200, 70, 60) : QColor(50, 100, 200));
            p.drawPolygon(outline);
        }
        p.restore();
        p.setPen(QPen(QColor(150, 150, 150), 0));
        p.drawLine(QPointF(left, baseline), QPointF(right, baseline));
        // Name and scale in the name column.
        p.save();
        p.setClipping(false);
        p.setPen(QColor(40, 40, 40));
        const QString scale = QLocale().toString(high, 'g', 3) + (t.logScale ? QObject::tr(" (log)") : QString());
        p.drawText(QRectF(6, top, left - 10, h / 2), Qt::AlignLeft | Qt::AlignVCenter, t.name);
        p.setPen(QColor(110, 110, 110));
        p.drawText(QRectF(6, top + h / 2, left - 10, h / 2), Qt::AlignLeft | Qt::AlignVCenter,
                   (t.reverse ? QStringLiteral("\u00b1") : QString()) + scale);
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(0, top - 2), QPointF(right, top - 2));
        p.restore();
    }

    // A plot of a windowed value over the view, one value per two pixels.
    template <typename Value>
    void plot(Track track, double low, double high, double reference, const QColor &colour, Value value)
    {
        const double top = trackTop(track) + 3;
        const double h = trackHeight[track] - 6;
        auto yOf = [&](double v) { return top + h * (1 - (std::clamp(v, low, high) - low) / (high - low)); };
        p.setPen(QPen(QColor(170, 170, 170), 0, Qt::DashLine));
        p.drawLine(QPointF(left, yOf(reference)), QPointF(right, yOf(reference)));
        const double bpp = b.axis_.basesPerPixel();
        const qint64 window = std::max<qint64>(qint64(std::ceil(2 * bpp)), 100);
        QPolygonF line;
        for (double x = left; x <= right; x += 2) {
            const qint64 centre = b.axis_.positionAt(x - left + 1);
            if (centre < 1 || centre > b.features_.genomeLength)
                continue;
            const double v = value(centre - window / 2, centre + window / 2);
            line << QPointF(x, yOf(v));
        }
        // A one-pixel cosmetic pen takes the raster engine's fast path; a
        // wider one costs some 15 ms for a plot across the width.
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        p.setPen(pen);
        p.drawPolyline(line);
    }
};

void GenomeBrowser::paintEvent(QPaintEvent *)
{
    hits_.clear();
    rulerMarks_.clear();
    sequenceShown_ = false;
    Painter painter(*this);
    QPainter &p = painter.p;
    p.fillRect(rect(), Qt::white);
    if (!model_ || features_.genomeLength < 1) {
        p.drawText(rect(), Qt::AlignCenter, tr("Load a genome to browse it"));
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    painter.names();
    p.setClipRect(QRectF(painter.left, 0, painter.right - painter.left, height()));
    painter.ruler();
    painter.sequence();
    painter.units();
    painter.operons();
    painter.links();
    painter.promoters();
    painter.terminators();
    painter.genes();
    if (!features_.sequence.isEmpty()) {
        const double mean = features_.gcContent(1, features_.genomeLength);
        painter.plot(GcContent, std::max(0.0, mean - 0.2), std::min(1.0, mean + 0.2), mean, QColor(30, 90, 200),
                     [this](qint64 a, qint64 z) { return features_.gcContent(a, z); });
        painter.plot(GcSkew, -0.3, 0.3, 0.0, QColor(190, 80, 20),
                     [this](qint64 a, qint64 z) { return features_.gcSkew(a, z); });
    }
    for (int t = 0; t < dataTracks_.size(); ++t)
        painter.dataTrack(t);
}
