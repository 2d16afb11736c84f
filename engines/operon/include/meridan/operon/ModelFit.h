// The steps of the expectation–maximisation fit of the operon model.
#pragma once

#include "meridan/operon/OperonModel.h"
#include "meridan/operon/PairEvidence.h"
#include "meridan/operon/RandGenerator.h"

#include <iosfwd>

namespace meridan::operon {

class Workers;

// New random motif matrices for a restart: per row four draws normalised by
// their sum, 20 terminator rows, then 10 promoter rows, then 10 SD rows; each
// row is written into both classes' matrices. Nothing else changes.
void randomiseMotifs(OperonModel& model, RandGenerator& random);

// Posterior and responsibilities of every pair under the current
// parameters, into evidence (laid out for the same material); sets
// model.logLikelihood. A pair whose likelihood total is not positive is
// reported on log. With workers, the pairs are shared among its threads.
void expectationStep(OperonModel& model, const TrainingMaterial& material, Evidence& evidence,
                     std::ostream& log, Workers* workers = nullptr);
Evidence expectationStep(OperonModel& model, const TrainingMaterial& material, std::ostream& log);

// Newton–Raphson fit of the logistic prior exp(a + b·d) / (1 + exp(a + b·d))
// to the posteriors, started from a = 0.1, b = 0.01; stores a and b and
// writes "a=…,b=…" to log.
void updateDistanceFactor(OperonModel& model, const TrainingMaterial& material,
                          const Evidence& evidence, std::ostream& log);

// Mixing weights and matrix of one motif from the responsibilities (one
// pseudocount per base and per mixing case).
void updateMotif(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                 MotifId motif);

// The six motif updates at once (the same results as six updateMotif
// calls); with workers, their rows are shared among its threads.
void updateMotifs(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                  Workers* workers = nullptr);

// Both category-pair tables from the class responsibilities of the labelled
// pairs (0.001 per cell before normalising; symmetric).
void updateCategoryTables(OperonModel& model, const TrainingMaterial& material,
                          const Evidence& evidence);

} // namespace meridan::operon
