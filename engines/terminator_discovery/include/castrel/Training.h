// Expectation-maximisation training of the terminator model: training
// sessions from the starting parameters, then the "Final Improvement" rounds
// on the best model.
#pragma once

#include "castrel/TerminatorModel.h"
#include "meridan/engine/RunContext.h"

#include <iosfwd>

namespace meridan::castrel {

struct TrainingLimits {
    int sessions = 1;
    int maxIterations = 5000;   // per session
    double sessionGain = 1.0;   // a session stops at the first smaller gain
    int finalRounds = 10;
    double finalGain = 0.5;     // the final stage stops at the first gain not above this
};

struct TrainingOutcome {
    TerminatorModel model;      // the best model after the final stage
    int sessionIterations = 0;  // update/expect steps over all sessions
    int finalIterations = 0;    // update/expect steps of the final stage
};

// Trains on data (which must outlive the returned model); progress lines go to
// trace. A score that is not a number ends a stage like a lost gain. With a
// context, every iteration is reported (stages "training" and "final
// improvement", total unknown) and a cancel request is honoured between them.
TrainingOutcome train(const TrainingSet& data, std::ostream& trace, const TrainingLimits& limits = {},
                      const engine::RunContext* context = nullptr);

} // namespace meridan::castrel
