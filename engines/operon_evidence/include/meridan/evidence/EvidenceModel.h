// The combination of the evidence of every candidate pair: a two-class
// (same operon / operon boundary) mixture with one discrete distribution
// per kind of evidence and class, fitted by expectation-maximisation to the
// genome's own pairs. Neighbours on opposite strands, which never share an
// operon, are observations of the boundary class throughout; overlapping
// same-strand pairs give the operon class its starting distributions.
// Nothing is learned from known operons.
#pragma once

#include "meridan/evidence/PairSignals.h"

#include <array>
#include <string>
#include <vector>

namespace meridan::evidence {

enum class Evidence { Gap, Engine, Terminator, Promoter, Category };
inline constexpr std::array<Evidence, 5> kAllEvidence{Evidence::Gap, Evidence::Engine, Evidence::Terminator,
                                                      Evidence::Promoter, Evidence::Category};
const char* evidenceName(Evidence e);

struct EvidenceOptions {
    std::array<bool, 5> use{true, true, true, true, true}; // indexed by Evidence
    int maxIterations = 500;
    double tolerance = 1e-7; // largest change of a posterior that still counts as moving
    bool uses(Evidence e) const { return use[static_cast<std::size_t>(e)]; }
};

struct EvidenceFit {
    std::vector<double> posterior; // per candidate pair: probability of one operon
    double operonShare = 0.0;      // fitted share of candidate pairs in one operon
    int iterations = 0;
};

EvidenceFit fitEvidence(const GenomeSignals& observed, const EvidenceOptions& options = {});

// "gap,engine,terminator,promoter,category" with some names left out; an
// unknown name gives an empty result and says which in `problem`.
bool parseEvidenceList(const std::string& text, EvidenceOptions& options, std::string& problem);

} // namespace meridan::evidence
