#include "meridan/evidence/PanelEvidence.h"

#include "meridan/genome/FnaReader.h"
#include "meridan/panel/Conservation.h"
#include "meridan/panel/Translation.h"

namespace meridan::evidence {

namespace {

void apply(std::vector<PairSignals>& pairs, const panel::ConservationResult& result)
{
    for (auto& s : pairs)
        if (s.row < result.pairs.size() && result.pairs[s.row]) {
            s.panel = result.pairs[s.row]->score;
            s.panelGenomes = result.pairs[s.row]->informative;
            s.panelConserved = result.pairs[s.row]->conserved;
        }
}

} // namespace

PanelEvidenceOutcome addPanelEvidence(GenomeSignals& observed, const std::vector<TableGene>& genes,
                                      const std::string& fastaPath, const std::string& panelFolder,
                                      double operonShare)
{
    PanelEvidenceOutcome outcome;
    panel::PanelDatabase db;
    std::string built;
    if (!panel::openNamedPanel(panelFolder, db, outcome.message,
                               [&](const std::string& line) { built += "\n  " + line; }))
        return outcome;
    const auto sequence = genome::readGenomeSequence(fastaPath);
    if (!sequence) {
        outcome.message = sequence.error;
        return outcome;
    }
    const std::string& dna = sequence.value->sequence;
    std::vector<std::string> coding;
    for (const auto& g : genes)
        coding.push_back(panel::codingSequence(dna, g.start, g.end, g.strand));
    const auto code = panel::detectGeneticCode(coding);
    std::vector<std::string> proteins;
    for (const auto& c : coding)
        proteins.push_back(c.size() >= 90 ? panel::translate(c, code) : std::string());

    std::vector<std::vector<panel::Homologue>> hits;
    if (!panel::searchPanel(db, proteins, hits, outcome.message))
        return outcome;
    std::vector<panel::QueryGene> query(genes.size());
    for (std::size_t i = 0; i < genes.size(); ++i) {
        query[i].strand = genes[i].strand;
        query[i].homologues = std::move(hits[i]);
    }
    const std::uint64_t own = panel::sequenceHash({dna});
    std::vector<bool> skip;
    std::string skipped;
    for (const auto& g : db.genomes) {
        skip.push_back(g.sequenceHash == own);
        if (skip.back())
            skipped += " (" + g.name + " left out: the same genome)";
    }
    const auto result = panel::measureConservation(query, db, operonShare, skip);
    apply(observed.candidates, result);
    apply(observed.boundaries, result);
    int used = 0;
    std::string rates;
    char text[160];
    for (std::size_t k = 0; k < result.genomes.size(); ++k) {
        const auto& g = result.genomes[k];
        used += g.used;
        std::snprintf(text, sizeof text, "\n  %-36s neighbours kept: opposite strands %4d/%-4d same strand %4d/%-4d -> %s",
                      db.genomes[k].name.c_str(), g.oppositeConserved, g.oppositePairs, g.sameConserved,
                      g.samePairs, g.used ? "used" : "not informative");
        rates += text;
    }
    std::size_t judged = 0;
    for (const auto& s : observed.candidates)
        judged += s.panel.has_value();
    outcome.ok = true;
    outcome.message = "panel: " + std::to_string(used) + " of " + std::to_string(db.genomes.size()) +
                      " genomes informative, " + std::to_string(judged) + " of " +
                      std::to_string(observed.candidates.size()) + " same-strand neighbours judged" + skipped + built + rates;
    return outcome;
}

} // namespace meridan::evidence
