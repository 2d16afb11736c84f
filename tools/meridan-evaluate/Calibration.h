// How well the operon link probabilities of a run are calibrated: the
// observed share of same-operon pairs among the judged pairs of each
// probability band.
#pragma once

#include "PairBenchmark.h"

#include <string>
#include <vector>

namespace meridan::evaluate {

struct ProbabilityBand {
    double from = 0.0, to = 0.0; // the band [from, to), the last one closed
    std::size_t pairs = 0, same = 0;
    double probabilitySum = 0.0;
    double observed() const { return pairs ? double(same) / double(pairs) : 0.0; }
    double expected() const { return pairs ? probabilitySum / double(pairs) : 0.0; }
};

// Reads the pair table, matches its pairs to the gene table's neighbours by
// locus tag and counts the judged ones in ten bands of probability. Throws
// InputError naming the file and line of a row it cannot use.
std::vector<ProbabilityBand> calibrate(const std::vector<evidence::TableGene>& genes,
                                       const std::vector<PairTruth>& truth, const std::string& pairsPath);

// Expected calibration error: the pair-weighted mean distance between the
// observed share and the mean probability of each band.
double calibrationError(const std::vector<ProbabilityBand>& bands);

// The distance cut-off (same operon when fewer than that many bases lie
// between the genes) with the best MCC on the judged pairs, tried from -20 to
// 300 bases in steps of 5: a reference tuned on the known operons, which no
// prediction may use.
struct BestCutoff {
    long gap = 0;
    PairCounts counts;
};
BestCutoff bestDistanceCutoff(const std::vector<evidence::TableGene>& genes, const std::vector<PairTruth>& truth);

} // namespace meridan::evaluate
