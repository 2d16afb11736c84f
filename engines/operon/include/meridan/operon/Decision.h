// From the final posteriors to operons: the link decision and signal
// positions of each candidate pair, and the four values of each gene.
#pragma once

#include "meridan/genome/GeneRecord.h"
#include "meridan/operon/PairEvidence.h"
#include "meridan/operon/TrainingMaterial.h"

#include <optional>
#include <vector>

namespace meridan::operon {

struct PairDecision {
    int label = 0; // 1: both genes in one operon; 0: an operon ends between them
    std::int32_t sdPosition = -1;
    std::int32_t taPosition = -1;
    std::int32_t terminatorPosition = -1;

    friend bool operator==(const PairDecision&, const PairDecision&) = default;
};

// Label 1 when the posterior is at least 0.5; the positions of the SD,
// promoter and terminator windows whose share exceeds 0.5 (first largest).
PairDecision decidePair(const CandidatePair& pair, const PairEvidence& evidence);

std::vector<PairDecision> decidePairs(const TrainingMaterial& material, const Evidence& evidence);

// The decision of the candidate pair joining gene-table rows i and i+1, for
// every i (empty where no candidate pair joins them).
std::vector<std::optional<PairDecision>>
neighbourDecisions(const TrainingMaterial& material, const std::vector<PairDecision>& decisions,
                   std::size_t geneCount);

// Per-gene output values, in gene-table order.
struct GeneTags {
    std::vector<double> operonNumber;
    std::vector<double> sdPosition;
    std::vector<double> taPosition;
    std::vector<double> terminatorPosition;

    std::size_t size() const { return operonNumber.size(); }
};

// Numbers operons 0, 1, 2, … in gene order and places each pair's signal
// positions on its genes. neighbours[i] belongs to genes i and i+1; a
// same-strand neighbour pair without a decision is a boundary with no
// signal positions.
GeneTags assignGeneTags(const std::vector<genome::GeneRecord>& genes,
                        const std::vector<std::optional<PairDecision>>& neighbours);

// Every gene an operon of its own, no signal positions: the output when the
// fit gave nothing usable.
GeneTags separateGeneTags(std::size_t geneCount);

} // namespace meridan::operon
