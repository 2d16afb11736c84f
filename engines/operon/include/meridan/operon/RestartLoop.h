// The fit with random restarts: each restart draws new motifs and iterates
// expectation and maximisation steps until the log-likelihood settles; the
// best restart's final posteriors decide the operons.
#pragma once

#include "meridan/operon/Decision.h"
#include "meridan/operon/ModelFit.h"
#include "meridan/engine/RunContext.h"

#include <iosfwd>
#include <optional>
#include <vector>

namespace meridan::operon {

struct FitOptions {
    int restarts = 10;
    // Bound on the iterations of one restart, so that a fit that never
    // settles cannot hang the call; far above what a genome needs.
    int maxIterations = 5000;
    // Threads for the expectation and motif steps (0: two, or one on a
    // single-core machine); the results are the same for any number.
    int threads = 0;
    // Told of every finished restart ("restarts", done of restarts) and asked
    // for a cancel between iterations; none: a plain run.
    const engine::RunContext* context = nullptr;
};

struct FitOutcome {
    // Decisions of the best restart, one per candidate pair; empty when no
    // restart gave a finite log-likelihood above -1e13.
    std::optional<std::vector<PairDecision>> decisions;
    double bestLogLikelihood = -1e13;
    std::vector<int> iterationsPerRestart;
};

FitOutcome fitOperonModel(const TrainingMaterial& material, OperonModel& model,
                          RandGenerator& random, std::ostream& log, const FitOptions& options = {});

} // namespace meridan::operon
