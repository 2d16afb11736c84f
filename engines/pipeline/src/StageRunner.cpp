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

// The report of the stage, run by its StageRuns function.
StageReport runOf(StageRuns& runs, Stage stage)
{
    switch (stage) {
    case Stage::Operon: return runs.operon();
    case Stage::Promoter: return runs.promoter();
    case Stage::Terminator: return runs.terminator();
    case Stage::OperonEvidence: return runs.operonEvidence();
    case Stage::TuList: return runs.tuList();
    case Stage::Export: return runs.exports();
    }
    return {};
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
        report = runOf(runs, stage);
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
