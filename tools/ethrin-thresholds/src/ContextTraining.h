// Learning a promoter model's context scores from known promoters on their
// genome: where transcription starts lie relative to the start codon of the
// genes whose scanned region holds them, whether they lie between genes,
// and how A/T-rich the bases before the first box are.
#pragma once

#include "Training.h"

#include "meridan/ethrin/GeneScan.h"
#include "meridan/ethrin/GenomeInput.h"
#include "meridan/ethrin/PromoterModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace meridan::ethrin::tools {

struct KnownStart {
    char strand = '+';
    long tss = 0; // 1-based forward coordinate
};

struct ContextCounts {
    long starts = 0;           // (start, gene region) pairs seen
    long intergenicStarts = 0; // of these, starts outside every gene
};

// Sets model.position* (bins of binWidth bases over the scanned region,
// log2 odds against a start equally likely anywhere in it, one pseudocount
// per bin) and model.intergenic/genicOdds (log2 odds of a start lying
// outside every gene, against the share of region bases outside genes at
// the positions starts take, so that it adds to the position odds rather
// than repeating them). Returns the counts it was learned from.
ContextCounts learnPositionAndIntergenic(PromoterModel& model, const std::vector<KnownStart>& starts,
                                         const std::vector<GeneRow>& genes, long genomeLength,
                                         const RegionSettings& settings, int binWidth);

// Sets model.gapEdges/gapOdds: log2 odds of a gene's region holding a
// known start, by how many bases before its start codon lie outside every
// gene (bins up to each edge, then longer), one pseudocount per bin.
// Returns the number of genes whose region holds a start.
long learnGapOdds(PromoterModel& model, const std::vector<KnownStart>& starts, const std::vector<GeneRow>& genes,
                  long genomeLength, const RegionSettings& settings, const std::vector<double>& edges);

// Sets model.upElementWidth/Shift: the log-odds shift between the A/T share
// of the `width` bases before the first box of the placed sequences and
// the genome's A/T share `genomeAt` (sequences whose window would start
// before their first base are left out). Returns the number of windows used.
long learnUpElement(PromoterModel& model, const std::vector<std::string>& sequences,
                    const std::vector<Placement>& placements, int width, double genomeAt);

} // namespace meridan::ethrin::tools
