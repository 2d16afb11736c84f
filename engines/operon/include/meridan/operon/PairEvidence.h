// What one expectation step finds for each candidate pair.
#pragma once

#include "meridan/operon/OperonModel.h"

#include <array>
#include <span>
#include <vector>

namespace meridan::operon {

struct PairEvidence {
    double posterior = 0; // probability of the operon class
    double total = 0;     // likelihood of the pair under both classes, C_O + C_N
    std::array<double, motifCount> absentShare{};
    std::array<std::span<double>, motifCount> windowShares{}; // one share per window
    double operonShare = 0; // class responsibilities, for labelled pairs only
    double boundaryShare = 0;
};

// The evidence of all pairs, in pair order. The window shares live in one
// buffer laid out once for the material, so an expectation step can refill
// it without allocating.
class Evidence {
public:
    explicit Evidence(const TrainingMaterial& material);
    Evidence(Evidence&&) noexcept = default;
    Evidence& operator=(Evidence&&) noexcept = default;
    Evidence(const Evidence&) = delete;
    Evidence& operator=(const Evidence&) = delete;

    std::vector<PairEvidence> pairs;
    // Each pair's term ln(total / (1 + e)) of the log-likelihood, summed in
    // pair order once all pairs are done.
    std::vector<double> logTerms;

private:
    std::vector<double> shareBuffer_;
};

} // namespace meridan::operon
