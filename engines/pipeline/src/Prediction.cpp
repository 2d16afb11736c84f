// The order of the stages: the three predictions at once, then the evidence
// step, the TU list and the exports.
#include "meridan/pipeline/Prediction.h"

#include "ListenerRelay.h"
#include "StageRuns.h"

#include "meridan/pipeline/AnnotationMerge.h"

#include <array>
#include <exception>
#include <filesystem>
#include <thread>

namespace meridan::pipeline {

namespace {

// A stage has worked when none of its engines failed and it was not
// cancelled; it is told to the listener as it ends.
StageReport finish(StageReport report, ListenerRelay& relay)
{
    report.tookMs = relay.elapsedMs() - report.startedMs;
    if (report.stage != Stage::OperonEvidence)
        report.ok = report.failures.empty() && !report.cancelled;
    relay.stageFinished(report);
    return report;
}

// Runs body, turning anything it throws into a failed stage.
template <typename Body>
StageReport guarded(Stage stage, ListenerRelay& relay, Body body)
{
    try {
        return finish(body(), relay);
    } catch (const std::exception& e) {
        StageReport report;
        report.stage = stage;
        report.failures.push_back(std::string(stageName(stage)) + ": " + e.what());
        return finish(report, relay);
    } catch (...) {
        StageReport report;
        report.stage = stage;
        report.failures.push_back(std::string(stageName(stage)) + ": unexpected failure");
        return finish(report, relay);
    }
}

bool cancelRequested(const CancelSwitch* cancel)
{
    return cancel && cancel->requested();
}

} // namespace

PredictionReport predictGenome(const PredictionRequest& request, PredictionListener* listener,
                               const CancelSwitch* cancel)
{
    ListenerRelay relay(listener);
    PredictionReport report;
    try {
        std::error_code ignored;
        std::filesystem::create_directories(request.folders.results, ignored);
        const GenomeFiles& g = request.genome;
        const AnnotationChoice annotation = chooseAnnotation(g.ptt, g.rnt, request.folders.annotation, g.genomeId);
        relay.line(Stage::Operon, "annotation", 0, annotation.note);
        report.annotationPath = annotation.path;
        report.usesAnnotationFile = annotation.usesAnnotationFile;
        StageRuns runs(request, relay, cancel, annotation.path, annotation.usesAnnotationFile);

        if (cancelRequested(cancel))
            return report;
        // The three predictions start together, in this order; the TU list
        // waits for all three.
        std::array<StageReport, 3> predictions;
        {
            std::array<std::thread, 3> threads{
                std::thread([&] { predictions[0] = guarded(Stage::Operon, relay, [&] { return runs.operon(); }); }),
                std::thread([&] { predictions[1] = guarded(Stage::Promoter, relay, [&] { return runs.promoter(); }); }),
                std::thread([&] { predictions[2] = guarded(Stage::Terminator, relay, [&] { return runs.terminator(); }); })};
            for (std::thread& thread : threads)
                thread.join();
        }
        report.stages.assign(predictions.begin(), predictions.end());

        if (!cancelRequested(cancel) && request.options.operons == OperonMode::Evidence)
            report.stages.push_back(guarded(Stage::OperonEvidence, relay, [&] { return runs.operonEvidence(); }));
        if (!cancelRequested(cancel))
            report.stages.push_back(guarded(Stage::TuList, relay, [&] { return runs.tuList(); }));
        // The exports are made from the result files, so only from complete ones.
        if (!cancelRequested(cancel) && request.options.exports && report.ok())
            report.stages.push_back(guarded(Stage::Export, relay, [&] { return runs.exports(report.exportFiles); }));
    } catch (const std::exception& e) {
        StageReport failed;
        failed.stage = Stage::Operon;
        failed.failures.push_back(std::string("prediction: ") + e.what());
        report.stages.push_back(failed);
    }
    report.totalMs = relay.elapsedMs();
    return report;
}

} // namespace meridan::pipeline
