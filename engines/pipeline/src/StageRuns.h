// The stages of one prediction: which engine is called with which
// arguments, what each must leave behind, and how a failure is told.
#pragma once

#include "ListenerRelay.h"

#include "meridan/pipeline/Prediction.h"

#include "meridan/pipeline/EngineCall.h"
#include "meridan/pipeline/Prediction.h"

namespace meridan::pipeline {

class StageRuns {
public:
    StageRuns(const PredictionRequest& request, ListenerRelay& relay, const CancelSwitch* cancel,
              std::string annotationPath, bool usesAnnotationFile);

    StageReport operon();
    StageReport promoter();
    StageReport terminator();
    StageReport operonEvidence();
    StageReport tuList();
    StageReport exports();

private:
    // Calls one engine with the result folder as its output folder and
    // records its time in report; false (with a failure line) when it failed.
    bool call(StageReport& report, const std::string& engine, const std::string& label,
              std::vector<std::string> arguments, const std::string& detail = {});
    // Records a failure when the file was not (re)written by the engine.
    struct FileStamp;
    void checkWritten(StageReport& report, const std::string& engine, const std::string& label,
                      const std::string& path, const FileStamp& before);
    StageReport begin(Stage stage);

    const PredictionRequest& request_;
    ListenerRelay& relay_;
    const CancelSwitch* cancel_;
    std::string annotationPath_;
    bool usesAnnotationFile_;
};

} // namespace meridan::pipeline
