// The combination of the evidence of every candidate pair: a two-class
// (same operon / operon boundary) mixture, fitted to the genome's own pairs;
// nothing is learned from known operons.
//
// The distance carries the model. Its boundary-class distribution comes from
// neighbours on opposite strands, which never share an operon: a boundary
// between same-strand genes holds one transcript end and one start, so its
// gap is modelled as a convergent gap (two transcripts ending face to face,
// mostly at one shared, bidirectional terminator) plus half a divergent gap
// (two promoter regions side by side). The same-strand gaps are a mixture of that distribution
// and the operon-class one; the boundary share follows from the far gaps
// (where operon pairs are rare) and the operon-class distribution is what
// remains, kept non-increasing beyond its peak. Every other evidence gets one
// discrete distribution per class, fitted by expectation-maximisation with
// the distance's log-likelihood ratio held fixed (naive Bayes).
#pragma once

#include "meridan/evidence/PairSignals.h"

#include <array>
#include <string>
#include <vector>

namespace meridan::evidence {

enum class Evidence { Gap, Engine, Terminator, Promoter, Category, Product, Length, Name, Panel };
inline constexpr std::size_t kEvidenceKinds = 9;
inline constexpr std::array<Evidence, kEvidenceKinds> kAllEvidence{
    Evidence::Gap,      Evidence::Engine,  Evidence::Terminator, Evidence::Promoter, Evidence::Category,
    Evidence::Product,  Evidence::Length,  Evidence::Name,       Evidence::Panel};
const char* evidenceName(Evidence e);

// By default the distance, the functional categories, the product words, the
// gene lengths, the gene-name stems and, when a panel of other genomes is
// given, the conservation of each pair's neighbourhood; the operon engine's
// links, the hairpins and the promoter scores can be added (on E. coli they
// mostly mark transcription-unit boundaries inside known operons and cost
// accuracy).
struct EvidenceOptions {
    std::array<bool, kEvidenceKinds> use{true, false, false, false, true, true, true, true, true}; // indexed by Evidence
    int maxIterations = 500;
    double tolerance = 1e-7; // largest change of a posterior that still counts as moving
    bool uses(Evidence e) const { return use[static_cast<std::size_t>(e)]; }
};

struct EvidenceFit {
    std::vector<double> posterior; // per candidate pair: probability of one operon
    // Per candidate pair and kind of evidence (indexed by Evidence): its
    // log-likelihood ratio in the final fit, NaN where the pair lacks it or
    // the evidence takes no part.
    std::vector<std::array<double, kEvidenceKinds>> contribution;
    double priorLogOdds = 0.0;     // ln(operonShare / (1 - operonShare))
    double operonShare = 0.0;      // fitted share of candidate pairs in one operon
    int iterations = 0;
};

// The distance model alone: log-likelihood ratio (one operon against a
// boundary) per gap class, and the share of candidate pairs in one operon.
struct GapModel {
    std::vector<long> bounds;  // upper bounds of the gap classes (inclusive); beyond the last one a final class
    std::vector<double> ratio; // per class: ln P(gap | operon) - ln P(gap | boundary)
    double operonShare = 0.5;
    double at(long gap) const;
};
GapModel fitGapModel(const GenomeSignals& observed);

// When the genome has too few neighbours for the distance model (a small
// plasmid), the operon engine's decisions stand.
EvidenceFit fitEvidence(const GenomeSignals& observed, const EvidenceOptions& options = {});

// "gap,engine,terminator,promoter,category,product,length,name,panel" with some names left out; an
// unknown name gives an empty result and says which in `problem`.
bool parseEvidenceList(const std::string& text, EvidenceOptions& options, std::string& problem);

} // namespace meridan::evidence
