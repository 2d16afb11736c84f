// What happened in each stage of one prediction.
#pragma once

#include <string>
#include <vector>

namespace meridan::pipeline {

enum class Stage { Operon, Promoter, Terminator, OperonEvidence, TuList, Export };

// "operon", "promoter", "terminator", "operon evidence", "TU list", "export".
const char* stageName(Stage stage);
// The engines of a stage as the user knows them ("Castrel, Dovrane").
const char* stageEngines(Stage stage);

struct EngineTime {
    std::string engine;
    long long milliseconds = 0;
};

struct StageReport {
    Stage stage = Stage::Operon;
    bool ok = false;
    bool cancelled = false;
    long long startedMs = 0;             // since the start of the prediction
    long long tookMs = 0;
    std::vector<std::string> failures;   // one line per failed engine: "Galvora (operon): why"
    std::vector<EngineTime> engineTimes; // in call order
    std::vector<std::string> notes;      // what the evidence step or the exports say
    std::vector<std::string> files;      // the files the exports wrote
};

struct PredictionReport {
    std::vector<StageReport> stages;     // in the order they ended
    std::string annotationPath;          // the gene table the engines read
    bool usesAnnotationFile = false;     // false when annotationPath is the PTT file
    std::vector<std::string> exportFiles;
    long long totalMs = 0;

    bool ok() const;
    bool cancelled() const;
    const StageReport* find(Stage stage) const;
    // Names of the failed stages, in stage order.
    std::vector<std::string> failedStages() const;
};

} // namespace meridan::pipeline
