// A signal held in memory as intervals with values, per sequence, as read
// from bedGraph, WIG and BED files.
#pragma once

#include "Signal.h"

#include <map>

namespace meridan::tracks {

struct Interval {
    std::int64_t start = 0;   // 0-based
    std::int64_t end = 0;     // exclusive
    float value = 0;
};

// The summary of `bins` equal bins over [start, end) of the intervals from
// `first` to `last` (sorted by start; those outside the stretch are skipped).
Summary binIntervals(const Interval* first, const Interval* last, std::int64_t start, std::int64_t end, int bins);

class IntervalSignal : public Signal {
public:
    void add(const std::string& sequence, const Interval& interval);
    // Sorts the intervals; call once after the last add().
    void finish();
    bool empty() const { return intervals_.empty(); }

    std::vector<std::string> sequenceNames() const override;
    Summary summarise(const std::string& sequence, std::int64_t start, std::int64_t end, int bins) const override;
    double maximum() const override { return maximum_; }

private:
    struct Sequence {
        std::vector<Interval> intervals;   // by start
        std::int64_t longest = 0;
    };
    std::map<std::string, Sequence> intervals_;
    double maximum_ = 0;
};

} // namespace meridan::tracks
