#include "meridan/export/GenomeResults.h"

#include "meridan/genome/results/ResultPaths.h"

namespace meridan::exports {

namespace {

template <typename Row>
std::vector<Row> take(results::ResultRows<Row>&& read, GenomeResults& into, bool required, const std::string& path)
{
    if (!read.opened) {
        if (required) {
            into.missingFiles.push_back(path);
            into.problems.insert(into.problems.end(), read.problems.begin(), read.problems.end());
        }
        return {};
    }
    into.problems.insert(into.problems.end(), read.problems.begin(), read.problems.end());
    return std::move(read.rows);
}

} // namespace

GenomeResults loadGenomeResults(const std::string& folder, const std::string& genomeId)
{
    const results::ResultPaths files = results::resultPaths(folder, genomeId);
    GenomeResults r;
    r.genomeId = genomeId;
    for (auto& gene : take(results::readGeneIndexFile(files.geneIndex), r, true, files.geneIndex)) {
        if (gene.geneIndex != static_cast<long>(r.genes.size())) {
            r.problems.push_back({files.geneIndex, gene.line,
                                  "gene index " + std::to_string(gene.geneIndex) + " where " +
                                      std::to_string(r.genes.size()) + " was expected"});
            continue;
        }
        r.genes.push_back(std::move(gene));
    }
    r.promoters = take(results::readPromoterTableFile(files.promoterTable), r, true, files.promoterTable);
    for (std::size_t k = 0; k < r.sigmaHits.size(); ++k)
        r.sigmaHits[k] = take(results::readSigmaScoreFile(files.sigmaScores[k]), r, false, files.sigmaScores[k]);
    r.terminators = take(results::readTerminatorTableFile(files.terminatorTable), r, true, files.terminatorTable);
    r.tus = take(results::readTuListFile(files.tuList), r, true, files.tuList);
    r.operonPairs = take(results::readOperonPairsFile(files.operonPairs), r, false, files.operonPairs);
    return r;
}

} // namespace meridan::exports
