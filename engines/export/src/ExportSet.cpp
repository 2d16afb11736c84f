#include "meridan/export/ExportSet.h"

#include "meridan/export/Writers.h"

namespace meridan::exports {

std::vector<ExportFile> exportFiles(const GenomeFeatures& f)
{
    return {{f.genomeId + ".gff3", gff3Text(f)},
            {f.genomeId + "_terminators.bed", terminatorBed(f)},
            {f.genomeId + "_promoters.bed", promoterBed(f)},
            {f.genomeId + "_tus.bed", tuBed(f)},
            {f.genomeId + "_tus.tsv", tuTable(f)}};
}

namespace {

bool sigmaFile(const std::string& path)
{
    const std::string end = ".sca.dat";
    return path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
}

} // namespace

Placement placeResults(const std::string& resultFolder, const std::string& genomeId, const GenomeText& genome,
                       const ExportOptions& options)
{
    const GenomeResults results = loadGenomeResults(resultFolder, genomeId);
    // Lines left out of the sigma factors' score files only cost a promoter
    // its factor's name; anything else left out would leave features out.
    std::vector<results::ResultProblem> blocking;
    for (const results::ResultProblem& p : results.problems)
        if (!sigmaFile(p.file))
            blocking.push_back(p);
    Placement placement;
    if (!blocking.empty()) {
        placement.error = "the result files of " + genomeId + " cannot be exported:\n" + results::describeProblems(blocking);
        return placement;
    }
    placement.features = placeFeatures(results, genome, options);
    for (const results::ResultProblem& p : results.problems)
        placement.features->warnings.insert(placement.features->warnings.begin(), p.text() + " (line left out)");
    return placement;
}

ExportOutcome exportResults(const std::string& resultFolder, const std::string& genomeId, const GenomeText& genome,
                            const std::string& outputFolder, const ExportOptions& options)
{
    ExportOutcome outcome;
    Placement placement = placeResults(resultFolder, genomeId, genome, options);
    if (!placement.features) {
        outcome.error = placement.error;
        return outcome;
    }
    std::string prefix = outputFolder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    std::vector<ExportFile> files = exportFiles(*placement.features);
    for (ExportFile& file : files)
        file.name = prefix + file.name;
    outcome.warnings = placement.features->warnings;
    outcome.features = std::move(*placement.features);
    if (!writeFiles(files, outcome.error))
        return outcome;
    outcome.written = true;
    for (const ExportFile& file : files)
        outcome.files.push_back(file.name);
    return outcome;
}

} // namespace meridan::exports
