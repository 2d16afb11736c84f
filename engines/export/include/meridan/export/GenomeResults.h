// One genome's result files, read with the genome library's result readers
// and checked against each other, as the exports need them.
#pragma once

#include "meridan/genome/results/GeneIndexFile.h"
#include "meridan/genome/results/OperonPairs.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/ResultRows.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"

#include <array>
#include <string>
#include <vector>

namespace meridan::exports {

namespace results = meridan::genome::results;

struct GenomeResults {
    std::string genomeId;
    std::vector<results::GeneIndexRow> genes;        // gene index 0 ... n-1, in that order
    std::vector<results::PromoterRow> promoters;     // merged table
    std::array<std::vector<results::SigmaHit>, 4> sigmaHits; // per kSigmaFactors entry; empty when absent
    std::vector<results::TerminatorRow> terminators;
    std::vector<results::TuRow> tus;
    std::vector<results::OperonPairRow> operonPairs; // the evidence step's pair table; empty when absent
    std::vector<results::ResultProblem> problems;    // every line left out, every file missing
    std::vector<std::string> missingFiles;           // required files that could not be opened

    // True when the gene index table, the promoter table, the terminator
    // table and the TU list could all be read.
    bool complete() const { return missingFiles.empty(); }
};

// Reads <folder>/<genomeId>_gene_index_file.txt, _promoter_scores.txt,
// _terminator_score.txt, _tulist.txt and, when present, the four sigma
// factors' score files (they only tell which sigma factor a promoter is for)
// and the operon pair table (the link probabilities).
// Gene rows out of index order are reported and left out.
GenomeResults loadGenomeResults(const std::string& folder, const std::string& genomeId);

} // namespace meridan::exports
