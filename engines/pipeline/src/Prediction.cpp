// A whole prediction: the steps of the stage plan in their order, the
// stages of a step at once.
#include "meridan/pipeline/Prediction.h"

#include "meridan/pipeline/AnnotationMerge.h"
#include "meridan/pipeline/StagePlan.h"
#include "meridan/pipeline/StageRunner.h"

#include <exception>
#include <filesystem>
#include <thread>
#include <vector>

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

        // The steps in their order; the stages of a step at once, each on a
        // thread of its own when there are several.
        for (const std::vector<Stage>& step : predictionSteps()) {
            if (cancelRequested(cancel))
                break;
            std::vector<Stage> due;
            for (Stage stage : step)
                if (stageRuns(stage, request.options, report.stages))
                    due.push_back(stage);
            std::vector<StageReport> ended(due.size());
            if (due.size() == 1) {
                ended[0] = runner.run(due[0]);
            } else {
                std::vector<std::thread> threads;
                for (std::size_t i = 0; i < due.size(); ++i)
                    threads.emplace_back([&, i] { ended[i] = runner.run(due[i]); });
                for (std::thread& thread : threads)
                    thread.join();
            }
            report.stages.insert(report.stages.end(), ended.begin(), ended.end());
            for (const StageReport& stage : ended)
                if (stage.stage == Stage::Export)
                    report.exportFiles = stage.files;
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
