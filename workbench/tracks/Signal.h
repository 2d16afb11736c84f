// One strand's values of a data file, by sequence name, summarised over
// equal bins of a stretch: the mean over the covered bases of each bin and
// the largest value in it. Positions are 0-based and half-open, as in the
// files.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace meridan::tracks {

struct Summary {
    std::vector<double> mean;      // NaN where the bin holds no data
    std::vector<double> maximum;   // NaN where the bin holds no data
};

class Signal {
public:
    virtual ~Signal() = default;
    virtual std::vector<std::string> sequenceNames() const = 0;
    // `bins` equal bins over [start, end) of the sequence; bins >= 1 and
    // end > start. Unknown sequence: every bin NaN.
    virtual Summary summarise(const std::string& sequence, std::int64_t start, std::int64_t end, int bins) const = 0;
    // The largest value of the whole file (0 when empty).
    virtual double maximum() const = 0;
};

inline constexpr double noData = std::numeric_limits<double>::quiet_NaN();

} // namespace meridan::tracks
