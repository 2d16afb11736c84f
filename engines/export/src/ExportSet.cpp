#include "meridan/export/ExportSet.h"

#include "meridan/export/Writers.h"
#include "FileSet.h"

namespace meridan::exports {

std::vector<ExportFile> exportFiles(const GenomeFeatures& f)
{
    return {{f.genomeId + ".gff3", gff3Text(f)},
            {f.genomeId + "_terminators.bed", terminatorBed(f)},
            {f.genomeId + "_promoters.bed", promoterBed(f)},
            {f.genomeId + "_tus.bed", tuBed(f)},
            {f.genomeId + "_tus.tsv", tuTable(f)}};
}

ExportOutcome writeExportFiles(GenomeFeatures features, const std::string& outputFolder)
{
    ExportOutcome outcome;
    std::string prefix = outputFolder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    std::vector<ExportFile> files = exportFiles(features);
    for (ExportFile& file : files)
        file.name = prefix + file.name;
    outcome.warnings = features.warnings;
    outcome.features = std::move(features);
    if (!writeFileSet(files, outcome.error))
        return outcome;
    outcome.written = true;
    for (const ExportFile& file : files)
        outcome.files.push_back(file.name);
    return outcome;
}

namespace {

bool sigmaFile(const std::string& path)
{
    const std::string end = ".sca.dat";
    return path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
}

} // namespace

ExportOutcome exportResults(const std::string& resultFolder, const std::string& genomeId, const GenomeText& genome,
                            const std::string& outputFolder, const ExportOptions& options)
{
    const GenomeResults results = loadGenomeResults(resultFolder, genomeId);
    // Lines left out of the sigma factors' score files only cost a promoter
    // its factor's name; anything else left out would leave features out.
    std::vector<results::ResultProblem> blocking;
    for (const results::ResultProblem& p : results.problems)
        if (!sigmaFile(p.file))
            blocking.push_back(p);
    if (!blocking.empty()) {
        ExportOutcome outcome;
        outcome.error = "the result files of " + genomeId + " cannot be exported:\n" + results::describeProblems(blocking);
        return outcome;
    }
    GenomeFeatures features = placeFeatures(results, genome, options);
    for (const results::ResultProblem& p : results.problems)
        features.warnings.insert(features.warnings.begin(), p.text() + " (line left out)");
    return writeExportFiles(std::move(features), outputFolder);
}

} // namespace meridan::exports
