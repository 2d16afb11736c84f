// The parameters of the two-class operon model: six motif matrices with
// their mixing weights, two category-pair tables, the distance factor and
// the two background compositions.
#pragma once

#include "meridan/operon/TrainingMaterial.h"

#include <array>

namespace meridan::operon {

// The six motifs, in the order the maximisation steps visit them.
enum class MotifId {
    TerminatorBoundary = 0,
    TerminatorOperon = 1,
    PromoterBoundary = 2,
    PromoterOperon = 3,
    SdOperon = 4,
    SdBoundary = 5,
};
inline constexpr int motifCount = 6;
inline constexpr std::array<MotifId, motifCount> allMotifs{
    MotifId::TerminatorBoundary, MotifId::TerminatorOperon, MotifId::PromoterBoundary,
    MotifId::PromoterOperon,     MotifId::SdOperon,         MotifId::SdBoundary};

inline constexpr Signal signalOf(MotifId m)
{
    switch (m) {
    case MotifId::TerminatorBoundary:
    case MotifId::TerminatorOperon:
        return Signal::Terminator;
    case MotifId::PromoterBoundary:
    case MotifId::PromoterOperon:
        return Signal::Promoter;
    default:
        return Signal::Sd;
    }
}

inline constexpr bool isOperonClass(MotifId m)
{
    return m == MotifId::TerminatorOperon || m == MotifId::PromoterOperon || m == MotifId::SdOperon;
}

inline constexpr int index(MotifId m)
{
    return static_cast<int>(m);
}

// The two motifs (classes) of each signal; they share the signal's windows.
struct SignalMotifs {
    Signal signal;
    MotifId first;
    MotifId second;
};
inline constexpr std::array<SignalMotifs, signalCount> signalMotifs{{
    {Signal::Terminator, MotifId::TerminatorBoundary, MotifId::TerminatorOperon},
    {Signal::Promoter, MotifId::PromoterBoundary, MotifId::PromoterOperon},
    {Signal::Sd, MotifId::SdOperon, MotifId::SdBoundary},
}};

// A position weight matrix (rows in A, C, G, T order; only the first width
// rows are used) with its zero-or-one-occurrence mixing weights.
struct Motif {
    int width = 0;
    std::array<std::array<double, 4>, 20> rows{};
    double absentWeight = 0.5;  // w0: the signal is absent from the region
    double presentWeight = 0.5; // w1: it occurs once somewhere in it
};

inline constexpr int categoryCount = 25;
using CategoryTable = std::array<std::array<double, categoryCount>, categoryCount>;

struct OperonModel {
    std::array<Motif, motifCount> motifs{};
    CategoryTable operonTable{};
    CategoryTable boundaryTable{};
    double a = 2.4361;  // distance intercept
    double b = -0.0415; // distance slope
    std::array<double, 4> terminatorBackground{};
    std::array<double, 4> promoterBackground{};
    double logLikelihood = 0;

    Motif& motif(MotifId m) { return motifs[index(m)]; }
    const Motif& motif(MotifId m) const { return motifs[index(m)]; }

    // The SD motifs are scored against the terminator background.
    const std::array<double, 4>& background(MotifId m) const
    {
        return signalOf(m) == Signal::Promoter ? promoterBackground : terminatorBackground;
    }
};

// The starting parameters: motif widths set (their entries are drawn per
// restart), mixing weights 0.5, category tables 0.02 on the diagonal and
// 1/1200 elsewhere, a = 2.4361, b = -0.0415, backgrounds from the material.
OperonModel initialModel(const TrainingMaterial& material);

} // namespace meridan::operon
