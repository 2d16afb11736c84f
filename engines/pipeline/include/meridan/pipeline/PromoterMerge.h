// The promoter table: the promoter library leaves one score file per sigma
// factor (<id>.sigmaNN.sca.dat); the views and the TU builder read one
// table, <id>_promoter_scores.txt, with the best promoter of each gene.
#pragma once

#include <string>
#include <vector>

namespace meridan::pipeline {

// Merges the four sigma files of resultFolder into <id>_promoter_scores.txt
// there: one line per gene name, the highest score winning (on equal scores
// the file read first), in ascending name order, every item right-aligned in
// 15 columns. False, and nothing written, when any of the five files cannot
// be opened; unopened then lists them.
bool mergePromoterFiles(const std::string& resultFolder, const std::string& genomeId,
                        std::vector<std::string>* unopened = nullptr);

} // namespace meridan::pipeline
