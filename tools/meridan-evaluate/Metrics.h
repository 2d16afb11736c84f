// Counts of a two-class comparison and the figures derived from them.
#pragma once

#include <cstddef>

namespace meridan::evaluate {

struct PairCounts {
    std::size_t truePositive = 0;  // known same, predicted same
    std::size_t falsePositive = 0; // known boundary, predicted same
    std::size_t trueNegative = 0;  // known boundary, predicted boundary
    std::size_t falseNegative = 0; // known same, predicted boundary

    void add(bool knownSame, bool predictedSame);
    std::size_t total() const { return truePositive + falsePositive + trueNegative + falseNegative; }
    double sensitivity() const;
    double specificity() const;
    double accuracy() const;
    // Matthews correlation coefficient; 0 when a margin is empty.
    double mcc() const;
};

// part / whole, 0 for an empty whole.
double share(std::size_t part, std::size_t whole);

} // namespace meridan::evaluate
