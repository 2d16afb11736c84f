// Hand-made training material for the fit tests.
#pragma once

#include "meridan/operon/OperonModel.h"
#include "meridan/operon/TrainingMaterial.h"

#include <string>

namespace meridan::operon::testing {

inline CandidatePair makePair(int distance, const std::string& label, const std::string& terminator,
                              const std::string& promoter, const std::string& sd)
{
    return CandidatePair{.distance = distance,
                         .categoryLabel = label,
                         .terminatorRegion = terminator,
                         .promoterRegion = promoter,
                         .sdRegion = sd};
}

inline TrainingMaterial materialOf(std::vector<CandidatePair> pairs)
{
    TrainingMaterial m;
    m.pairs = std::move(pairs);
    m.encoded = encodePairs(m.pairs);
    return m;
}

inline void setRows(Motif& motif, std::array<double, 4> row)
{
    for (int i = 0; i < motif.width; ++i)
        motif.rows[i] = row;
}

} // namespace meridan::operon::testing
