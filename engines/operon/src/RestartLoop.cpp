#include "meridan/operon/RestartLoop.h"

#include "meridan/operon/Workers.h"

#include <cmath>
#include <ostream>
#include <thread>

namespace meridan::operon {

namespace {

int defaultThreads()
{
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

// Iterates one restart from the current parameters; returns the number of
// expectation steps run. model.logLikelihood ends as that of the last one.
int iterateRestart(const TrainingMaterial& material, OperonModel& model, Evidence& evidence,
                   std::ostream& log, int maxIterations, Workers& workers,
                   const engine::RunContext* context)
{
    double previous = -5000;
    int iterations = 0;
    while (std::fabs(previous - model.logLikelihood) > 0.1) {
        if (iterations == maxIterations) {
            log << "no convergence after " << maxIterations << " iterations; restart ends\n";
            break;
        }
        if (context)
            context->throwIfCancelled();
        previous = model.logLikelihood;
        expectationStep(model, material, evidence, log, &workers);
        ++iterations;
        updateDistanceFactor(model, material, evidence, log);
        if (model.a > 15 || model.a < 0)
            break;
        updateMotifs(model, material, evidence, &workers);
        updateCategoryTables(model, material, evidence);
    }
    return iterations;
}

} // namespace

FitOutcome fitOperonModel(const TrainingMaterial& material, OperonModel& model,
                          RandGenerator& random, std::ostream& log, const FitOptions& options)
{
    FitOutcome outcome;
    Evidence evidence(material);
    Workers workers(options.threads > 0 ? options.threads : defaultThreads());
    const engine::RunContext* context = options.context;
    if (context)
        context->progress("restarts", 0, options.restarts);
    for (int r = 0; r < options.restarts; ++r) {
        log << "step-----------" << r << '\n';
        model.logLikelihood = -4999;
        randomiseMotifs(model, random);
        const int iterations =
            iterateRestart(material, model, evidence, log, options.maxIterations, workers, context);
        outcome.iterationsPerRestart.push_back(iterations);
        log << "restart " << r << ": iterations=" << iterations
            << " loglikelihood=" << model.logLikelihood << '\n';
        // A log-likelihood that is not a finite number cannot rank restarts.
        if (std::isfinite(model.logLikelihood) && model.logLikelihood > outcome.bestLogLikelihood) {
            outcome.bestLogLikelihood = model.logLikelihood;
            expectationStep(model, material, evidence, log, &workers);
            outcome.decisions = decidePairs(material, evidence);
        }
        if (context)
            context->progress("restarts", r + 1, options.restarts);
    }
    return outcome;
}

} // namespace meridan::operon
