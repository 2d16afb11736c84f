// The order of the stages: the three predictions at once, then the evidence
// step, the TU list and the exports.
#include "meridan/pipeline/Prediction.h"

#include "meridan/pipeline/AnnotationMerge.h"
#include "meridan/pipeline/StageRunner.h"

#include <array>
#include <exception>
#include <filesystem>
#include <thread>

namespace meridan::pipeline {

namespace {

bool cancelRequested(const CancelSwitch* cancel)
{
    return cancel && cancel->requested();
}

} // namespace

PredictionReport predictGenome(const PredictionRequest& request, PredictionListener* listener,
                               const CancelSwitch* cancel)
{
    PredictionReport report;
    try {
        std::error_code ignored;
        std::filesystem::create_directories(request.folders.results, ignored);
        const GenomeFiles& g = request.genome;
        const AnnotationChoice annotation = chooseAnnotation(g.ptt, g.rnt, request.folders.annotation, g.genomeId);
        if (listener)
            listener->engineLine(Stage::Operon, "annotation", 0, annotation.note);
        report.annotationPath = annotation.path;
        report.usesAnnotationFile = annotation.usesAnnotationFile;
        StageRunner runner(request, annotation, listener, cancel);

        if (cancelRequested(cancel))
            return report;
        // The three predictions start together, in this order; the TU list
        // waits for all three.
        std::array<StageReport, 3> predictions;
        {
            std::array<std::thread, 3> threads{
                std::thread([&] { predictions[0] = runner.run(Stage::Operon); }),
                std::thread([&] { predictions[1] = runner.run(Stage::Promoter); }),
                std::thread([&] { predictions[2] = runner.run(Stage::Terminator); })};
            for (std::thread& thread : threads)
                thread.join();
        }
        report.stages.assign(predictions.begin(), predictions.end());

        // The evidence step decides the operon engine's operons again: with
        // no operons to start from it has nothing to do.
        if (!cancelRequested(cancel) && request.options.operons == OperonMode::Evidence && predictions[0].ok)
            report.stages.push_back(runner.run(Stage::OperonEvidence));
        if (!cancelRequested(cancel))
            report.stages.push_back(runner.run(Stage::TuList));
        // The exports are made from the result files, so only from complete ones.
        if (!cancelRequested(cancel) && request.options.exports && report.ok()) {
            report.stages.push_back(runner.run(Stage::Export));
            report.exportFiles = report.stages.back().files;
        }
        report.totalMs = runner.elapsedMs();
    } catch (const std::exception& e) {
        StageReport failed;
        failed.stage = Stage::Operon;
        failed.failures.push_back(std::string("prediction: ") + e.what());
        report.stages.push_back(failed);
    }
    return report;
}

} // namespace meridan::pipeline
