// Operons refined by evidence: reads a finished prediction (gene table,
// gene tags, sigma-70 promoter hits, terminator table), decides every
// candidate pair with the combination of EvidenceModel.h and rewrites the
// gene-tag file with the new operon numbers; the other columns stay as the
// operon engine wrote them, so everything that reads gene tags works as
// before. Never throws; a failure leaves the gene-tag file untouched.
#pragma once

#include "meridan/evidence/EvidenceModel.h"
#include "meridan/evidence/ResultInputs.h"

#include <string>
#include <vector>

namespace meridan::evidence {

struct RefinementRequest {
    std::vector<std::string> geneTables; // the table the operon engine read (PTT, or PTT then RNT)
    std::string geneTagPath;             // read, and replaced unless outputPath is set
    std::string promoterPath;            // <id>.sigma70.sca.dat; a missing file counts as no promoters
    std::string terminatorPath;          // <id>_terminator_score.txt; a missing file counts as no hairpins
    std::string outputPath;              // empty: geneTagPath
    std::string tablePath;               // when set: one line per candidate pair with its evidence and posterior
    std::string panelPath;               // a panel database (meridan-panel build); empty: no comparative evidence
    std::string genomePath;              // the genome's FASTA file, needed with a panel
    EvidenceOptions options;
};

struct RefinementOutcome {
    bool ok = false;
    std::string message; // what was done, or why nothing was
    std::string panelMessage; // what the panel gave, or why it gave nothing
    std::size_t candidates = 0, links = 0, changed = 0;
};

RefinementOutcome refineOperons(const RefinementRequest& request);

// Operon numbers 0, 1, 2, ... in gene order from one link decision per
// candidate pair; same-strand neighbours that are not candidates keep the
// engine's decision, neighbours on opposite strands never share an operon.
std::vector<GeneTagLine> relinkGeneTags(const std::vector<TableGene>& genes, const std::vector<GeneTagLine>& tags,
                                        const std::vector<PairSignals>& candidates, const std::vector<bool>& links);

std::string geneTagText(const std::vector<GeneTagLine>& tags);

} // namespace meridan::evidence
