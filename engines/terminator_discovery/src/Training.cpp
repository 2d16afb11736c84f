#include "castrel/Training.h"

#include <ostream>

namespace meridan::castrel {

TrainingOutcome train(const TrainingSet& data, std::ostream& trace, const TrainingLimits& limits,
                      const engine::RunContext* context)
{
    const auto step = [context](const char* stage, int done) {
        if (context) {
            context->throwIfCancelled();
            context->progress(stage, done, 0);
        }
    };
    TrainingOutcome outcome;
    TerminatorModel& best = outcome.model;
    best.initialise(data);

    for (int session = 1; session <= limits.sessions; ++session) {
        TerminatorModel working;
        working.initialise(data);
        trace << "Session " << session << " Starts!\n";
        double previous = -1e20;
        for (int iteration = 0; iteration < limits.maxIterations; ++iteration) {
            working.update();
            working.expect();
            ++outcome.sessionIterations;
            step("training", outcome.sessionIterations);
            // Written so that a score that is not a number also stops.
            if (!(working.score >= previous + limits.sessionGain))
                break;
            previous = working.score;
            if (working.score > best.score)
                best = working;
        }
    }

    trace << "Final Improvement\n";
    double previous = best.score;
    for (int round = 1; round <= limits.finalRounds; ++round) {
        best.update();
        best.expect();
        ++outcome.finalIterations;
        step("final improvement", outcome.finalIterations);
        if (!(previous + limits.finalGain < best.score))
            break;
        trace << round << '\t' << best.score << '\n';
        previous = best.score;
    }
    return outcome;
}

} // namespace meridan::castrel
