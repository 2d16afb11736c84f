// One stage of a prediction at a time, for callers that run the stages
// themselves (the workbench runs each on a worker thread of its own):
// the same engine calls, checks and reports as predictGenome's.
#pragma once

#include "meridan/pipeline/AnnotationMerge.h"
#include "meridan/pipeline/Prediction.h"
#include "meridan/pipeline/PredictionListener.h"

#include <memory>

namespace meridan::pipeline {

class StageRunner {
public:
    // annotation: the gene table chosen for the genome (chooseAnnotation).
    // request, listener and cancel must outlive the runner.
    StageRunner(const PredictionRequest& request, const AnnotationChoice& annotation,
                PredictionListener* listener = nullptr, const CancelSwitch* cancel = nullptr);
    ~StageRunner();
    StageRunner(const StageRunner&) = delete;
    StageRunner& operator=(const StageRunner&) = delete;

    // Runs the stage on the calling thread; its start and end go to the
    // listener. Never throws; several stages of one runner may run at once.
    StageReport run(Stage stage);
    // Milliseconds since the runner was made.
    long long elapsedMs() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace meridan::pipeline
