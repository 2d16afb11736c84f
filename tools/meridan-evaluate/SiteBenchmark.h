// Promoter and terminator predictions against known sites.
#pragma once

#include "KnownSets.h"
#include "meridan/evidence/ResultInputs.h"

#include <string>
#include <vector>

namespace meridan::evaluate {

struct PromoterFigures {
    std::size_t genes = 0;           // rows of the gene table (distinct locus tags)
    std::size_t genesFlagged = 0;    // with a hit of score > 0
    std::size_t genesWithKnown = 0;  // with a known start at most `upstream` bases before the start codon
    std::size_t genesPlaced = 0;     // ... and a flagged promoter within `tolerance` of such a start
    std::size_t hitsFlagged = 0;     // hits with score > 0
    std::size_t hitsNearKnown = 0;   // ... within `tolerance` of any known start on their strand
};

// A promoter lies within `tolerance` of a start when the start is at most
// that far from the promoter's extent (first box to last box).

PromoterFigures comparePromoters(const std::vector<evidence::TableGene>& genes,
                                 const std::vector<evidence::PromoterHit>& hits, const std::vector<Site>& known,
                                 long upstream = 300, long tolerance = 50);

// The consensus scan: TTGACA, a 15-19 base spacer and TATAAT with at most
// maxMismatches per box, in the `region` bases before each start codon; the
// pair with the fewest mismatches (then the one nearest the gene) is the
// gene's hit, score 1, extent from the -35 to the -10 box, its start
// `tssOffset` bases after the -10 box.
std::vector<evidence::PromoterHit> consensusScan(const std::string& genome,
                                                 const std::vector<evidence::TableGene>& genes,
                                                 long region = 250, int maxMismatches = 2, long tssOffset = 7);

// The 3' end (1-based genome coordinate) and strand of every terminator row
// whose score exceeds `cut`, placed through the scan region of its leading
// gene; rows naming no gene of the table are left out.
std::vector<Site> terminatorEnds(const std::vector<evidence::TableGene>& genes,
                                 const std::vector<evidence::TerminatorRow>& rows, double cut);

struct SiteFigures {
    std::size_t known = 0, knownFound = 0, predicted = 0, predictedNear = 0;
};
// Known sites with a prediction within `window` bases (same strand when both
// have one), and predictions within `window` of a known site.
SiteFigures compareSites(const std::vector<Site>& known, const std::vector<Site>& predicted, long window);

} // namespace meridan::evaluate
