// The order of a prediction's stages, in one place for every front end: the
// command line runs it through predictGenome, the workbench starts its
// worker threads from it.
#pragma once

#include "meridan/pipeline/Prediction.h"
#include "meridan/pipeline/PredictionReport.h"

#include <vector>

namespace meridan::pipeline {

// The steps of a prediction, in order. The stages of one step run at the
// same time (in the order listed), a step starts when every stage of the one
// before it has ended: the operon, promoter and terminator predictions, then
// the evidence step, the TU list and the exports.
const std::vector<std::vector<Stage>>& predictionSteps();

// Whether `stage` runs, given the options and the reports of the stages that
// ended before its step. The evidence step needs the operon engine's operons;
// the exports are made from the result files, so only from complete ones.
bool stageRuns(Stage stage, const PredictionOptions& options, const std::vector<StageReport>& before);

} // namespace meridan::pipeline
