// The one coordinate axis of the genome browser: which stretch of the
// replicon the view's width shows, from the whole replicon down to a few
// bases. Base p (1-based) covers [p - 1, p) on the axis, so a gene from s to
// e is drawn from x(s - 1) to x(e) and the ruler's mark of base p stands at
// the left edge of that base.
#pragma once

#include <QtGlobal>

class BrowserAxis {
public:
    // The widest zoom: this many pixels per base.
    static constexpr double maxPixelsPerBase = 16.0;

    void setGenomeLength(qint64 length);
    void setWidth(int pixels);
    qint64 genomeLength() const { return length_; }
    int width() const { return width_; }

    // Shows bases first to last (1-based, inclusive), kept within the genome
    // and the zoom range.
    void showBases(qint64 first, qint64 last);
    void showAll();
    // Centres base `position` keeping the zoom.
    void centreOn(qint64 position);

    double start() const { return start_; }   // axis coordinate of the left edge
    double span() const { return span_; }     // bases across the width
    double basesPerPixel() const { return span_ / width_; }
    double pixelsPerBase() const { return width_ / span_; }

    double xOf(double coordinate) const { return (coordinate - start_) * width_ / span_; }
    double xOfBaseStart(qint64 position) const { return xOf(double(position - 1)); }
    double xOfBaseEnd(qint64 position) const { return xOf(double(position)); }
    // The base under pixel x (1-based; may lie outside the genome).
    qint64 positionAt(double x) const;
    qint64 firstVisible() const;
    qint64 lastVisible() const;

    // Zooms by `factor` (>1 zooms in) keeping the base under x where it is.
    void zoomAbout(double x, double factor);
    // Moves the view by `pixels` (positive: further along the genome).
    void pan(double pixels);

private:
    void clamp();

    qint64 length_ = 1;
    int width_ = 1;
    double start_ = 0;
    double span_ = 1;
};
