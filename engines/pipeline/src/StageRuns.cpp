#include "StageRuns.h"

#include "PromoterArguments.h"

#include "meridan/evidence/OperonRefinement.h"
#include "meridan/export/ExportSet.h"
#include "meridan/export/GenomeFile.h"
#include "meridan/genome/results/ResultPaths.h"
#include "meridan/pipeline/PromoterMerge.h"

#include <filesystem>

namespace meridan::pipeline {

namespace fs = std::filesystem;

// What a result file looked like before its engine ran, to tell a file the
// engine wrote from one an earlier run left behind.
struct StageRuns::FileStamp {
    bool exists = false;
    fs::file_time_type modified{};
    std::uintmax_t size = 0;

    static FileStamp of(const std::string& path)
    {
        FileStamp stamp;
        std::error_code error;
        stamp.exists = fs::exists(path, error);
        if (stamp.exists) {
            stamp.modified = fs::last_write_time(path, error);
            stamp.size = fs::file_size(path, error);
        }
        return stamp;
    }
    bool operator==(const FileStamp&) const = default;
};

namespace {

genome::results::ResultPaths resultsOf(const PredictionRequest& request)
{
    return genome::results::resultPaths(request.folders.results, request.genome.genomeId);
}

} // namespace

StageRuns::StageRuns(const PredictionRequest& request, ListenerRelay& relay, const CancelSwitch* cancel,
                     std::string annotationPath, bool usesAnnotationFile)
    : request_(request), relay_(relay), cancel_(cancel), annotationPath_(std::move(annotationPath)),
      usesAnnotationFile_(usesAnnotationFile)
{
}

StageReport StageRuns::begin(Stage stage)
{
    StageReport report;
    report.stage = stage;
    report.startedMs = relay_.elapsedMs();
    // The engines write into the result folder; it is made when missing.
    std::error_code ignored;
    fs::create_directories(request_.folders.results, ignored);
    relay_.stageStarted(stage);
    return report;
}

bool StageRuns::call(StageReport& report, const std::string& engine, const std::string& label,
                     std::vector<std::string> arguments, const std::string& detail)
{
    const Stage stage = report.stage;
    EngineRequest call;
    call.programFolder = request_.folders.program;
    call.name = engine;
    call.outputFolder = request_.folders.results;
    call.arguments = std::move(arguments);
    call.onLine = [&](int level, const std::string& line) { relay_.line(stage, engine, level, line); };
    call.onProgress = [&](const std::string& step, long long done, long long total) {
        relay_.progress(stage, engine, step, done, total);
    };
    call.cancel = cancel_ ? cancel_->flag() : nullptr;
    const EngineOutcome outcome = callEngine(call);
    report.engineTimes.push_back({engine, outcome.milliseconds});
    if (outcome.status == EngineOutcome::Cancelled)
        report.cancelled = true;
    if (outcome.ok())
        return true;
    std::string line = describeFailure(engine, label, outcome);
    if (!detail.empty())
        line += "; " + detail;
    report.failures.push_back(line);
    return false;
}

void StageRuns::checkWritten(StageReport& report, const std::string& engine, const std::string& label,
                             const std::string& path, const FileStamp& before)
{
    const std::string head = engine + " (" + label + "): ";
    const FileStamp after = FileStamp::of(path);
    if (!after.exists)
        report.failures.push_back(head + "the engine wrote no result file " + path);
    else if (after == before)
        report.failures.push_back(head + "the engine did not write its result file " + path
                                  + "; the file there is from an earlier run");
}

StageReport StageRuns::operon()
{
    StageReport report = begin(Stage::Operon);
    const std::string result = resultsOf(request_).geneTags;
    const FileStamp before = FileStamp::of(result);
    // The link probabilities belong to the evidence step's operons: an
    // earlier run's table must not stand beside the engine's new ones.
    std::error_code ignored;
    std::filesystem::remove(resultsOf(request_).operonPairs, ignored);
    std::vector<std::string> arguments{request_.genome.fna, annotationPath_};
    if (request_.options.seed)
        arguments.push_back(std::to_string(*request_.options.seed));
    if (call(report, "Galvora", "operon", arguments))
        checkWritten(report, "Galvora", "operon", result, before);
    return report;
}

StageReport StageRuns::promoter()
{
    StageReport report = begin(Stage::Promoter);
    const std::string result = resultsOf(request_).promoterTable;
    const FileStamp before = FileStamp::of(result);
    const GenomeFiles& g = request_.genome;
    if (!call(report, "Ethrin", "promoter",
              promoterArguments(request_.folders, g.fna, g.ptt, g.rnt, g.genomeId, usesAnnotationFile_)))
        return report;
    // The promoter table must exist before the TU builder starts.
    std::vector<std::string> unopened;
    if (!mergePromoterFiles(request_.folders.results, g.genomeId, &unopened)) {
        std::string list;
        for (const std::string& path : unopened)
            list += (list.empty() ? "" : ", ") + path;
        report.failures.push_back("Ethrin (promoter): the promoter table " + result
                                  + " could not be made; cannot open " + list);
        return report;
    }
    checkWritten(report, "Ethrin", "promoter", result, before);
    return report;
}

StageReport StageRuns::terminator()
{
    StageReport report = begin(Stage::Terminator);
    const std::string result = resultsOf(request_).terminatorTable;
    const FileStamp before = FileStamp::of(result);
    const std::vector<std::string> arguments{request_.genome.fna, request_.genome.ptt};
    // The scan needs the model the training leaves in the result folder:
    // without it the stage ends here.
    if (!call(report, "Castrel", "terminator discovery", arguments)) {
        if (!report.cancelled)
            report.failures.push_back("Dovrane (terminator scan): not run, as the terminator model could not be trained");
        return report;
    }
    if (call(report, "Dovrane", "terminator scan", arguments))
        checkWritten(report, "Dovrane", "terminator scan", result, before);
    return report;
}

StageReport StageRuns::tuList()
{
    StageReport report = begin(Stage::TuList);
    const genome::results::ResultPaths paths = resultsOf(request_);
    std::string absent;
    for (const std::string& input : {annotationPath_, paths.geneTags, paths.promoterTable, paths.terminatorTable})
        if (std::error_code error; !fs::exists(input, error))
            absent += (absent.empty() ? "" : ", ") + input;
    const FileStamp before = FileStamp::of(paths.tuList);
    if (call(report, "Brintel", "TU list",
             {annotationPath_, paths.geneTags, paths.promoterTable, paths.terminatorTable, paths.tuList,
              request_.genome.genomeId},
             absent.empty() ? std::string() : "missing input " + absent))
        checkWritten(report, "Brintel", "TU list", paths.tuList, before);
    return report;
}

StageReport StageRuns::operonEvidence()
{
    StageReport report = begin(Stage::OperonEvidence);
    const genome::results::ResultPaths paths = resultsOf(request_);
    evidence::RefinementRequest refinement;
    refinement.geneTables.push_back(annotationPath_);
    refinement.geneTagPath = paths.geneTags;
    refinement.promoterPath = paths.sigmaScores[2];
    refinement.terminatorPath = paths.terminatorTable;
    refinement.tablePath = paths.operonPairs;
    if (request_.options.panel && !request_.options.panel->empty()) {
        refinement.panelPath = *request_.options.panel;
        refinement.genomePath = request_.genome.fna;
    }
    const evidence::RefinementOutcome outcome = evidence::refineOperons(refinement);
    report.ok = outcome.ok;
    report.notes.push_back(outcome.message);
    if (!outcome.panelMessage.empty())
        report.notes.push_back(outcome.panelMessage);
    if (!outcome.ok)
        report.failures.push_back("operon evidence: " + outcome.message);
    return report;
}

StageReport StageRuns::exports()
{
    StageReport report = begin(Stage::Export);
    const std::string& id = request_.genome.genomeId;
    const std::string& folder = request_.folders.results;
    const exports::GenomeLoad load = exports::loadGenomeText(request_.genome.fna, id);
    if (!load.error.empty()) {
        report.failures.push_back("export FAILED: " + load.error);
        return report;
    }
    exports::ExportOptions options;
    options.seed = request_.options.seed;
    const exports::ExportOutcome outcome = exports::exportResults(folder, id, load.genome, folder, options);
    if (!outcome.written) {
        std::string why = outcome.error;
        while (!why.empty() && (why.back() == '\n' || why.back() == ' '))
            why.pop_back();
        report.failures.push_back("export FAILED: " + why);
        return report;
    }
    report.files = outcome.files;
    const exports::GenomeFeatures& f = outcome.features;
    report.notes.push_back("export: " + std::to_string(f.operons.size()) + " operons, " + std::to_string(f.tus.size())
                           + " TUs, " + std::to_string(f.promoters.size()) + " promoters, "
                           + std::to_string(f.terminators.size()) + " terminators in " + id + ".gff3, " + id
                           + "_terminators.bed, " + id + "_promoters.bed, " + id + "_tus.bed, " + id + "_tus.tsv");
    if (!outcome.warnings.empty())
        report.notes.push_back("export: " + std::to_string(outcome.warnings.size()) + " result(s) left out, e.g. "
                               + outcome.warnings.front());
    return report;
}

} // namespace meridan::pipeline
