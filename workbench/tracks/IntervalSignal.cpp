#include "IntervalSignal.h"

#include <algorithm>
#include <cmath>

namespace meridan::tracks {

void IntervalSignal::add(const std::string& sequence, const Interval& interval)
{
    Sequence& s = intervals_[sequence];
    s.intervals.push_back(interval);
    s.longest = std::max(s.longest, interval.end - interval.start);
    maximum_ = std::max(maximum_, double(interval.value));
}

void IntervalSignal::finish()
{
    for (auto& [name, s] : intervals_)
        std::sort(s.intervals.begin(), s.intervals.end(),
                  [](const Interval& a, const Interval& b) { return a.start < b.start; });
}

std::vector<std::string> IntervalSignal::sequenceNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : intervals_)
        names.push_back(entry.first);
    return names;
}

Summary binIntervals(const Interval* first, const Interval* last, std::int64_t start, std::int64_t end, int bins)
{
    Summary out;
    bins = std::max(1, bins);
    out.mean.assign(size_t(bins), noData);
    out.maximum.assign(size_t(bins), noData);
    if (end <= start)
        return out;
    const double width = double(end - start) / bins;
    std::vector<double> weighted(size_t(bins), 0.0);
    std::vector<double> covered(size_t(bins), 0.0);
    for (const Interval* i = first; i != last && i->start < end; ++i) {
        const std::int64_t a = std::max(i->start, start);
        const std::int64_t z = std::min(i->end, end);
        if (z <= a)
            continue;
        const int from = std::clamp(int((a - start) / width), 0, bins - 1);
        const int to = std::clamp(int(std::ceil((z - start) / width)) - 1, 0, bins - 1);
        for (int b = from; b <= to; ++b) {
            const double binStart = start + b * width;
            const double overlap = std::min<double>(z, binStart + width) - std::max<double>(a, binStart);
            if (overlap <= 0)
                continue;
            weighted[size_t(b)] += overlap * i->value;
            covered[size_t(b)] += overlap;
            double& m = out.maximum[size_t(b)];
            m = std::isnan(m) ? i->value : std::max(m, double(i->value));
        }
    }
    for (int b = 0; b < bins; ++b)
        if (covered[size_t(b)] > 0)
            out.mean[size_t(b)] = weighted[size_t(b)] / covered[size_t(b)];
    return out;
}

Summary IntervalSignal::summarise(const std::string& sequence, std::int64_t start, std::int64_t end, int bins) const
{
    const auto it = intervals_.find(sequence);
    if (it == intervals_.end())
        return binIntervals(nullptr, nullptr, start, start, bins);
    const Sequence& s = it->second;
    // The first interval that can reach `start`.
    const auto from = std::lower_bound(s.intervals.begin(), s.intervals.end(), start - s.longest,
                                       [](const Interval& a, std::int64_t p) { return a.start < p; });
    const Interval* data = s.intervals.data();
    return binIntervals(data + (from - s.intervals.begin()), data + s.intervals.size(), start, end, bins);
}

} // namespace meridan::tracks
