// The inner loops of the fit: scoring every window of a region under a
// motif pair and adding window shares to motif counts. Each has a portable
// form and a vector form (AVX2 and FMA) that gives every value by the same
// IEEE operations in the same order, so both give bit-identical results.
#pragma once

#include "meridan/operon/PairEvidence.h"
#include "meridan/operon/TrainingMaterial.h"

#include <array>
#include <cstdint>
#include <span>

namespace meridan::operon::detail {

// M[i][x] / B[x] per motif row and base code; column 4 (a character other
// than A, C, G, T) weighs 1.
using RatioTable = std::array<std::array<double, 5>, 20>;

// One class's side of a region: its ratio table and mixing weights, the
// shares to fill (one per window) and the resulting Z = w0 + Σ v[p].
struct ClassWindows {
    const RatioTable* table = nullptr;
    std::span<double> shares;
    double w0 = 0;
    double w1 = 0;
    double z = 0;
};

// v[p] = ratio(window p) · w1 / N into shares and Z = w0 + Σ v[p] (window
// order) for both classes of one region.
void scoreRegion(int width, const std::uint8_t* codes, const std::uint64_t* lanes, bool acgtOnly,
                 ClassWindows& first, ClassWindows& second);

// share = share · q / total for every share.
void scaleShares(std::span<double> shares, double q, double total);

using MotifCounts = std::array<std::array<double, 4>, 20>;

// S0 = 1 + Σ absent shares, S1 = 1 + Σ window shares and the row total
// 4 + Σ window shares of one motif, all in pair and window order.
struct ShareSums {
    double absent = 1;
    double present = 1;
    double total = 4;
};

// For rows firstRow … firstRow+3 (those below width): adds the window
// shares of pairs pairBegin … pairEnd-1 of the two motifs (evidence indexes
// m1, m2) of signal s to the count of the base the window holds at that
// row, pairs and windows in order, continuing from the counts given. When
// sums1 and sums2 are given, the two motifs' share sums are continued in the
// same pass. Calling it on consecutive pair ranges gives the same bits as one
// call over all pairs.
void addRowCounts(const TrainingMaterial& material, const Evidence& evidence, std::size_t pairBegin,
                  std::size_t pairEnd, Signal s, int m1, int m2, int firstRow, int width,
                  MotifCounts& counts1, MotifCounts& counts2, ShareSums* sums1 = nullptr,
                  ShareSums* sums2 = nullptr);

// Whether the vector forms are used (when the processor has AVX2 and FMA);
// tests switch them off to compare both forms.
bool vectorFormsEnabled();
void enableVectorForms(bool enabled);

} // namespace meridan::operon::detail
