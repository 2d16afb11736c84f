// Comparative evidence for operons: neighbouring genes whose homologues stay
// neighbours in other genomes are rarely separated by a transcription
// boundary. Each panel genome is weighed by what it tells: a close relative
// keeps most neighbours whatever their operons, so its background is measured
// from neighbour pairs that never share an operon, those on opposite strands.
#pragma once

#include "meridan/panel/HomologySearch.h"

#include <optional>
#include <string>
#include <vector>

namespace meridan::panel {

// A gene of the genome being predicted, in gene-table order.
struct QueryGene {
    int record = 0;
    char strand = '+';
    std::vector<Homologue> homologues;
};

// What the panel says of one neighbour pair (genes i and i + 1).
struct PairConservation {
    int informative = 0;  // panel genomes holding homologues of both genes
    int conserved = 0;    // of those, genomes where the homologues are neighbours as well
    // Sum over the genomes that keep the pair of their weight, the log ratio
    // of their two conservation rates. A genome that does not keep the pair
    // adds nothing: operons are often split or only partly conserved in
    // distant genomes, so not keeping a pair says little on its own (how
    // little is learned from the genome, with the other evidence).
    double score = 0.0;
};

// Per panel genome, how often its homologues of two neighbours are
// neighbours too: for opposite-strand pairs (the background) and for
// same-strand pairs.
struct GenomeBackground {
    int oppositePairs = 0, oppositeConserved = 0;
    int samePairs = 0, sameConserved = 0;
    double operonRate = 0.0, boundaryRate = 0.0; // the two conservation rates the weights come from
    bool used = false; // false for a genome that tells operons from boundaries no better than chance
};

struct ConservationResult {
    std::vector<std::optional<PairConservation>> pairs; // per neighbour pair; nothing without an informative genome
    std::vector<GenomeBackground> genomes;
};

// operonShare: the share of same-strand neighbours expected in one operon
// (from the distance model), used to separate the two rates of each genome.
// skipGenome[g] leaves a panel genome out (the query itself).
ConservationResult measureConservation(const std::vector<QueryGene>& query, const PanelDatabase& panel,
                                       double operonShare, const std::vector<bool>& skipGenome = {});

} // namespace meridan::panel
