#include "BrowserAxis.h"

#include <algorithm>
#include <cmath>

void BrowserAxis::setGenomeLength(qint64 length)
{
    length_ = std::max<qint64>(1, length);
    clamp();
}

void BrowserAxis::setWidth(int pixels)
{
    width_ = std::max(1, pixels);
    clamp();
}

void BrowserAxis::showBases(qint64 first, qint64 last)
{
    if (last < first)
        std::swap(first, last);
    start_ = double(first - 1);
    span_ = double(last - first + 1);
    // Too few bases to fill the width: keep the stretch in the middle.
    const double narrowest = width_ / maxPixelsPerBase;
    if (span_ < narrowest) {
        start_ -= (narrowest - span_) / 2;
        span_ = narrowest;
    }
    clamp();
}

void BrowserAxis::showAll()
{
    start_ = 0;
    span_ = double(length_);
    clamp();
}

void BrowserAxis::centreOn(qint64 position)
{
    start_ = double(position) - 0.5 - span_ / 2;
    clamp();
}

qint64 BrowserAxis::positionAt(double x) const
{
    return qint64(std::floor(start_ + x * span_ / width_)) + 1;
}

qint64 BrowserAxis::firstVisible() const
{
    return std::max<qint64>(1, qint64(std::floor(start_)) + 1);
}

qint64 BrowserAxis::lastVisible() const
{
    return std::min<qint64>(length_, qint64(std::ceil(start_ + span_)));
}

void BrowserAxis::zoomAbout(double x, double factor)
{
    if (factor <= 0)
        return;
    const double anchor = start_ + x * span_ / width_;
    span_ /= factor;
    start_ = anchor - x * span_ / width_;
    clamp();
}

void BrowserAxis::pan(double pixels)
{
    start_ += pixels * span_ / width_;
    clamp();
}

void BrowserAxis::clamp()
{
    const double narrowest = width_ / maxPixelsPerBase;
    span_ = std::clamp(span_, std::min(narrowest, double(length_)), double(length_));
    start_ = std::clamp(start_, 0.0, double(length_) - span_);
}
