// The operon pair benchmark: adjacent same-strand genes of the gene table
// (distinct locus tags) that known operons call "same" (one multi-gene unit
// holds both) or "boundary" (two different units hold them, or one unit
// holds exactly one of them: its known edge); other pairs are not judged.
#pragma once

#include "KnownSets.h"
#include "Metrics.h"
#include "meridan/evidence/ResultInputs.h"

#include <vector>

namespace meridan::evaluate {

enum class PairTruth { Unknown, Same, Boundary };

// One entry per gene-table row i, for the pair (i, i+1); the last is Unknown.
std::vector<PairTruth> knownPairs(const std::vector<evidence::TableGene>& genes,
                                  const std::vector<KnownUnit>& units);

// Predicted "same" per pair (i, i+1) of genes: equal operon numbers in the
// gene tags, whose lines belong to the rows of taggedGenes (the table the
// operon engine read, e.g. PTT and RNT merged); genes are matched by locus tag.
std::vector<bool> linksOfGeneTags(const std::vector<evidence::TableGene>& genes,
                                  const std::vector<evidence::TableGene>& taggedGenes,
                                  const std::vector<evidence::GeneTagLine>& tags);

// Predicted "same" per pair (i, i+1): same strand and fewer than maxGap bases
// between the genes.
std::vector<bool> linksOfDistance(const std::vector<evidence::TableGene>& genes, long maxGap);

// Pairs of adjacent same-strand genes (distinct locus tags) split by mapped
// transcript 3' ends: per pair (i, i+1), Boundary when a known end on the
// genes' strand (or of unknown strand) lies between them, the reach counted
// into both genes; Unknown for all other pairs; Same for the remaining
// candidate pairs (nothing known ends between them, which does not make them
// one operon: only their link share is telling).
std::vector<PairTruth> pairsAtKnownEnds(const std::vector<evidence::TableGene>& genes, const std::vector<Site>& ends,
                                        long reach);

PairCounts comparePairs(const std::vector<PairTruth>& truth, const std::vector<bool>& predicted);

// TU spans as (first row, last row): exact-span recall (known spans found)
// and precision (predicted spans that are known).
struct SpanFigures {
    std::size_t known = 0, knownFound = 0, predicted = 0, predictedKnown = 0;
};
SpanFigures compareSpans(const std::vector<evidence::TableGene>& genes, const std::vector<KnownUnit>& units,
                         const std::vector<std::vector<long>>& predictedMembers);

} // namespace meridan::evaluate
