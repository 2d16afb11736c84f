// What a running prediction tells its caller. The calls come from the
// stages' threads but never two at once for one prediction, so a listener
// needs no lock of its own as long as it serves one prediction.
#pragma once

#include "meridan/pipeline/PredictionReport.h"

#include <string>

namespace meridan::pipeline {

class PredictionListener {
public:
    virtual ~PredictionListener() = default;
    virtual void stageStarted(Stage /*stage*/, long long /*atMs*/) {}
    virtual void stageFinished(const StageReport& /*report*/) {}
    // One line of a running engine; level 0 trace, 1 warning, 2 error.
    virtual void engineLine(Stage /*stage*/, const std::string& /*engine*/, int /*level*/,
                            const std::string& /*line*/) {}
    // `engine` has done `done` of `total` steps (0: unknown) of `step`.
    virtual void engineProgress(Stage /*stage*/, const std::string& /*engine*/, const std::string& /*step*/,
                                long long /*done*/, long long /*total*/) {}
};

} // namespace meridan::pipeline
