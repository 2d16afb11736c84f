// The hairpin terminator model: a mixture of background-only regions (weight
// p0) and regions holding one hairpin-plus-tail element at a uniformly chosen
// position, with its expectation and maximisation steps.
#pragma once

#include "terminator/HairpinGeometry.h"
#include "terminator/ModelFiles.h"
#include "terminator/NucleotideCode.h"

#include <array>
#include <optional>
#include <vector>

namespace meridan::castrel {

using terminator::Code;
using terminator::PairMatrix;

inline constexpr int kLengthSlots = 120;   // entries of each length distribution
inline constexpr int kInitialTailSlots = 31;

// A hairpin start i and closing position G (a candidate) that can carry
// weight: stem lengths minStem..maxStem are admissible with loops of at most
// 30, and a tail of 3 fits before the region end. Fixed by the sequence.
struct HairpinSite {
    int start;
    int closing;
    int minStem;
    int maxStem;
};

// The coded regions a model is trained on, their background composition and
// their stem candidates (computed once).
class TrainingSet {
public:
    TrainingSet(std::vector<std::vector<Code>> regions, const std::array<double, 4>& background);

    std::size_t size() const { return regions_.size(); }
    const std::vector<Code>& region(std::size_t r) const { return regions_[r]; }
    const terminator::CandidateList& candidates(std::size_t r) const { return candidates_[r]; }
    // The candidates of region r that can carry weight, by start and closing position.
    const std::vector<HairpinSite>& sites(std::size_t r) const { return sites_[r]; }
    // The distinct closing positions of those sites, ascending.
    const std::vector<int>& siteClosings(std::size_t r) const { return siteClosings_[r]; }
    const std::array<double, 4>& background() const { return background_; }
    int longestRegion() const { return longestRegion_; }

private:
    std::vector<std::vector<Code>> regions_;
    std::array<double, 4> background_;
    std::vector<terminator::CandidateList> candidates_;
    std::vector<std::vector<HairpinSite>> sites_;
    std::vector<std::vector<int>> siteClosings_;
    int longestRegion_ = 0;
};

class TerminatorModel {
public:
    // Parameters.
    double p0 = 0.5;
    PairMatrix pairProb{};
    PairMatrix pairRatio{};
    std::array<double, 4> tailProb{};
    std::array<double, 4> tailRatio{};
    std::vector<double> stemLen;
    std::vector<double> loopLen;
    std::vector<double> tailLen;

    // Expected counts of the last expectation step.
    PairMatrix pairCount{};
    std::array<double, 4> tailBaseCount{};
    std::vector<double> stemLenCount;
    std::vector<double> loopLenCount;
    std::vector<double> tailLenCount;
    double bgPosteriorSum = 0.0;
    double regionCount = 0.0;
    std::vector<double> regionPosterior;

    // Natural-log likelihood of all regions against the background.
    double score = 0.0;

    // Starting parameters for data (which must outlive the model), then one
    // expectation step.
    void initialise(const TrainingSet& data);

    // Expectation step: region likelihoods, score and expected counts.
    void expect();

    // Maximisation step from the expected counts. A distribution whose counts
    // are all zero keeps its previous values.
    void update();

    // Recomputes pairRatio and tailRatio from the probabilities and the
    // background (ratios of a base absent from the background are 0).
    void updateRatios();

    terminator::ModelParameters parameters() const;

private:
    const TrainingSet* data_ = nullptr;
};

// The Poisson distribution (entries 0..119) with the mean of counts, where
// the mean is the sum over n of (1 - cum(n) / cum(119)); nothing when all
// counts are zero.
std::optional<std::vector<double>> poissonLengthFit(const std::vector<double>& counts);

} // namespace meridan::castrel
