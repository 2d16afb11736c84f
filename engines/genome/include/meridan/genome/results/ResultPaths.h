// The names of one genome's result files in a result folder.
#pragma once

#include <array>
#include <string>

namespace meridan::genome::results {

struct ResultPaths {
    std::string geneTags;         // <id>_genetag.txt
    std::string promoterTable;    // <id>_promoter_scores.txt
    std::array<std::string, 4> sigmaScores; // <id>.<sigma>.sca.dat, in the order of kSigmaFactors
    std::string terminatorTable;  // <id>_terminator_score.txt
    std::string geneIndex;        // <id>_gene_index_file.txt
    std::string summary;          // <id>_summary.txt
    std::string tuList;           // <id>_tulist.txt
    std::string operonPairs;      // <id>_operon_pairs.tsv: evidence and probability of every same-strand pair
    // What the terminator training hands to the scan, removed by the scan.
    std::string terminatorPairs;  // <id>_wholepairs_loc.txt
    std::string terminatorRunLog; // <id>_terminator_log.txt
    std::string predictLog;       // <id>_predict.log: the engines' lines of one prediction
};

// folder may end with "/" or not; an empty folder means the current one.
ResultPaths resultPaths(const std::string& folder, const std::string& genomeId);

// The merged gene table of PTT and RNT in an annotation folder: <folder>/<id>.ano.
std::string annotationTablePath(const std::string& folder, const std::string& genomeId);

} // namespace meridan::genome::results
