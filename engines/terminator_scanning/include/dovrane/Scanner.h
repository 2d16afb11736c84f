// Finding the best hairpin-plus-tail element of a scan region under the
// trained model.
#pragma once

#include "dovrane/ScanModel.h"
#include "terminator/NucleotideCode.h"

#include <span>

namespace meridan::dovrane {

using terminator::Code;

// The best element of a region; positions are relative to the region start.
struct ScanHit {
    int start = 0;     // first nucleotide of the hairpin
    int armEnd = 0;    // start + stem length
    int armStart = 0;  // armEnd + loop length
    int tailStart = 0; // first tail position
    int tailEnd = 0;   // one past the last tail position
    double score = 0;  // 0: the region holds no element

    int stemLength() const { return armEnd - start; }
    int loopLength() const { return armStart - armEnd; }
    int tailLength() const { return tailEnd - tailStart; }
};

class Scanner {
public:
    explicit Scanner(const ScanModel& model) : model_(model) {}

    // The element with the largest position-weighted likelihood ratio. Ties go
    // to the shortest stem, then the shortest tail, then the smallest start
    // and the smallest tail end.
    ScanHit scan(std::span<const Code> region) const;

private:
    const ScanModel& model_;
};

} // namespace meridan::dovrane
