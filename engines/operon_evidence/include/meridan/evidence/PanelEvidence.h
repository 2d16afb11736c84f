// Comparative evidence for the candidate pairs: the proteins of the genome's
// genes are searched in a panel database of other genomes and each
// neighbour pair is scored by how its homologues lie there.
#pragma once

#include "meridan/evidence/PairSignals.h"

#include <string>

namespace meridan::evidence {

struct PanelEvidenceOutcome {
    bool ok = false;
    std::string message; // what the panel gave, or why it gave nothing
};

// genes: the gene table in its order (the rows the pairs join); fastaPath:
// the genome's sequence; operonShare: the distance model's share of
// same-strand neighbours in one operon. Sets panel, panelGenomes and
// panelConserved of the candidates and anchors it can judge. A panel genome
// with the query's own sequence is left out.
PanelEvidenceOutcome addPanelEvidence(GenomeSignals& observed, const std::vector<TableGene>& genes,
                                      const std::string& fastaPath, const std::string& panelFolder,
                                      double operonShare);

} // namespace meridan::evidence
