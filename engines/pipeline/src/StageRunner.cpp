#include "meridan/pipeline/StageRunner.h"

#include "ListenerRelay.h"
#include "StageRuns.h"

#include <exception>

namespace meridan::pipeline {

struct StageRunner::Parts {
    Parts(const PredictionRequest& request, const AnnotationChoice& annotation, PredictionListener* listener,
          const CancelSwitch* cancel)
        : relay(listener), runs(request, relay, cancel, annotation.path, annotation.usesAnnotationFile)
    {
    }
    ListenerRelay relay;
    StageRuns runs;
};

namespace {

StageReport failed(Stage stage, const std::string& why)
{
    StageReport report;
    report.stage = stage;
    report.failures.push_back(std::string(stageName(stage)) + ": " + why);
    return report;
}

} // namespace

StageRunner::StageRunner(const PredictionRequest& request, const AnnotationChoice& annotation,
                         PredictionListener* listener, const CancelSwitch* cancel)
    : parts_(std::make_unique<Parts>(request, annotation, listener, cancel))
{
}

StageRunner::~StageRunner() = default;

long long StageRunner::elapsedMs() const
{
    return parts_->relay.elapsedMs();
}

StageReport StageRunner::run(Stage stage)
{
    StageRuns& runs = parts_->runs;
    StageReport report;
    try {
        switch (stage) {
        case Stage::Operon:
            report = runs.operon();
            break;
        case Stage::Promoter:
            report = runs.promoter();
            break;
        case Stage::Terminator:
            report = runs.terminator();
            break;
        case Stage::OperonEvidence:
            report = runs.operonEvidence();
            break;
        case Stage::TuList:
            report = runs.tuList();
            break;
        case Stage::Export:
            report = runs.exports();
            break;
        }
    } catch (const std::exception& e) {
        report = failed(stage, e.what());
    } catch (...) {
        report = failed(stage, "unexpected failure");
    }
    // A stage has worked when none of its engines failed and it was not
    // cancelled; the evidence step says so itself.
    report.tookMs = parts_->relay.elapsedMs() - report.startedMs;
    if (stage != Stage::OperonEvidence)
        report.ok = report.failures.empty() && !report.cancelled;
    parts_->relay.stageFinished(report);
    return report;
}

} // namespace meridan::pipeline
