// Score thresholds: the log-odds a hit must exceed to count as a promoter,
// chosen so that a given share of random windows of a genome's composition
// pass, and the small text file that keeps one.
#pragma once

#include "meridan/ethrin/Nucleotides.h"
#include "meridan/ethrin/PromoterScanner.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace meridan::ethrin {

struct ThresholdRecord {
    double threshold = 0.0;
    std::optional<Composition> composition; // composition it was made for
    // How it was made; written as comment-free "key value" lines.
    std::string sigma;
    std::string genome;
    double share = 0.0;
    long windows = 0;
    std::uint64_t seed = 0;
    // Calibration on each genome instead of a fixed threshold: the
    // estimated false-discovery rate the genes with a score > 0 keep, and
    // how often each gene's region is shuffled for the null.
    double fdr = 0.0;
    int shuffles = 0;

    bool calibrated() const { return fdr > 0.0; }
};

// Throws InputError naming fileName and the line.
ThresholdRecord parseThreshold(std::istream& in, const std::string& fileName);
ThresholdRecord readThresholdFile(const std::string& path);
void writeThreshold(std::ostream& out, const ThresholdRecord& record);

// `length` bases drawn independently from the composition.
std::vector<std::uint8_t> randomSequence(const Composition& composition, std::size_t length,
                                         std::mt19937_64& random);

// The score that `share` of the windows of a random sequence of the given
// composition exceed: `windows` window positions (each with all its spacers
// inside the sequence) are scored and the (share * windows + 1)-th highest
// score is returned. Throws InputError when share is not in (0, 1) or
// share * windows < 1.
double computeThreshold(const PromoterScanner& scanner, const Composition& composition, double share,
                        long windows, std::uint64_t seed);

// The log-odds threshold for one genome at an estimated false-discovery
// rate: `best` holds each gene's best score, `shuffledBest` the best scores
// of its regions shuffled `shuffles` times each. For the k genes scoring
// highest, the expected number of them that passed by chance is the count
// of shuffled regions scoring at least as high, divided by `shuffles`; the
// largest k whose share of chance passes is at most `fdr` is kept and the
// threshold placed between the k-th and the next gene's score. No such k:
// the highest score (no gene passes). Scores that are not finite are left
// out.
double fdrThreshold(std::vector<double> best, std::vector<double> shuffledBest, int shuffles, double fdr);

// Largest difference between two compositions, base by base.
double compositionDistance(const Composition& a, const Composition& b);

} // namespace meridan::ethrin
