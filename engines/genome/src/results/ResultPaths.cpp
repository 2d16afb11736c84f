#include "meridan/genome/results/ResultPaths.h"

#include "meridan/genome/results/PromoterTable.h"

namespace meridan::genome::results {

namespace {

std::string filePrefix(const std::string& folder, const std::string& genomeId)
{
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    return prefix + genomeId;
}

} // namespace

ResultPaths resultPaths(const std::string& folder, const std::string& genomeId)
{
    const std::string prefix = filePrefix(folder, genomeId);
    ResultPaths files;
    files.geneTags = prefix + "_genetag.txt";
    files.promoterTable = prefix + "_promoter_scores.txt";
    for (std::size_t k = 0; k < kSigmaFactors.size(); ++k)
        files.sigmaScores[k] = prefix + "." + std::string(kSigmaFactors[k]) + ".sca.dat";
    files.terminatorTable = prefix + "_terminator_score.txt";
    files.geneIndex = prefix + "_gene_index_file.txt";
    files.summary = prefix + "_summary.txt";
    files.tuList = prefix + "_tulist.txt";
    files.operonPairs = prefix + "_operon_pairs.tsv";
    files.terminatorPairs = prefix + "_wholepairs_loc.txt";
    files.terminatorRunLog = prefix + "_terminator_log.txt";
    files.predictLog = prefix + "_predict.log";
    return files;
}

std::string annotationTablePath(const std::string& folder, const std::string& genomeId)
{
    return filePrefix(folder, genomeId) + ".ano";
}

} // namespace meridan::genome::results
