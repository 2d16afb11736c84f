#include "meridan/evidence/OperonRefinement.h"

#include "meridan/evidence/PanelEvidence.h"
#include "meridan/genome/ResultFiles.h"
#include "meridan/genome/results/GeneTagFile.h"

#include <cmath>
#include <limits>
#include <cstdio>
#include <sstream>
#include <filesystem>
#include <fstream>

namespace meridan::evidence {

std::vector<GeneTagLine> relinkGeneTags(const std::vector<TableGene>& genes, const std::vector<GeneTagLine>& tags,
                                        const std::vector<PairSignals>& candidates, const std::vector<bool>& links)
{
    std::vector<int> link(genes.size(), -1); // -1: the engine's decision
    for (std::size_t k = 0; k < candidates.size() && k < links.size(); ++k)
        link[candidates[k].row] = links[k] ? 1 : 0;
    std::vector<GeneTagLine> out = tags;
    long number = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i > 0) {
            const bool sameStrand = i < genes.size() && genes[i - 1].strand == genes[i].strand;
            const bool linked = link[i - 1] >= 0 ? link[i - 1] == 1 : sameStrand && tags[i - 1].operon == tags[i].operon;
            number += linked && sameStrand ? 0 : 1;
        }
        out[i].operon = number;
    }
    return out;
}

std::string geneTagText(const std::vector<GeneTagLine>& tags)
{
    // The operon engine's writer, so that the format cannot drift.
    std::ostringstream text;
    for (const auto& t : tags)
        genome::results::writeGeneTagLine(text, double(t.operon), double(t.sd), double(t.ta), double(t.terminator));
    return text.str();
}

namespace {

std::string optionalText(const auto& value)
{
    return value ? std::to_string(*value) : std::string("NA");
}

// One line per candidate pair: the genes, their gap, what each kind of
// evidence contributed (log-likelihood ratio, one operon against a boundary;
// NA where the pair lacks it), the prior and the probability of one operon.
void writeEvidenceTable(const std::string& path, const std::vector<TableGene>& genes,
                        const std::vector<PairSignals>& candidates, const EvidenceFit& fit,
                        const EvidenceOptions& options)
{
    std::ostringstream out;
    out << "first\tsecond\tstrand\tgap";
    for (Evidence e : kAllEvidence)
        if (options.uses(e))
            out << '\t' << evidenceName(e) << "_llr";
    out << "\tpanel_genomes\tpanel_conserved\tpanel_weight\tprior\tprobability\tlinked\n";
    char number[32];
    const auto put = [&](double v) {
        if (std::isnan(v))
            out << "\tNA";
        else {
            std::snprintf(number, sizeof number, "\t%.4f", v);
            out << number;
        }
    };
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const PairSignals& s = candidates[k];
        out << genes[s.row].synonym << '\t' << genes[s.row + 1].synonym << '\t' << genes[s.row].strand << '\t'
            << optionalText(s.gap);
        for (Evidence e : kAllEvidence)
            if (options.uses(e))
                put(fit.contribution[k][std::size_t(e)]);
        out << '\t' << s.panelGenomes << '\t' << s.panelConserved;
        put(s.panel ? *s.panel : std::numeric_limits<double>::quiet_NaN());
        put(fit.priorLogOdds);
        put(fit.posterior[k]);
        out << '\t' << (fit.posterior[k] >= 0.5 ? "yes" : "no") << '\n';
    }
    std::string error;
    if (!genome::writeFileWhole(path, out.str(), &error))
        throw InputError(error);
}

} // namespace

RefinementOutcome refineOperons(const RefinementRequest& request)
{
    RefinementOutcome outcome;
    try {
        std::vector<TableGene> genes;
        for (const auto& path : request.geneTables) {
            auto part = readGeneTable(path);
            genes.insert(genes.end(), part.begin(), part.end());
        }
        const auto tags = readGeneTags(request.geneTagPath);
        if (tags.size() != genes.size())
            throw InputError(request.geneTagPath + ": " + std::to_string(tags.size()) + " gene tags for " +
                             std::to_string(genes.size()) + " genes in the gene table");
        // The other engines' results are read only when their evidence takes
        // part: a file nobody uses must not fail the step.
        const auto wanted = [&](const std::string& p, Evidence e) {
            return request.options.uses(e) && !p.empty() && std::filesystem::exists(p);
        };
        const auto promoters = wanted(request.promoterPath, Evidence::Promoter) ? readPromoterHits(request.promoterPath)
                                                                                : std::vector<PromoterHit>{};
        const auto terminators = wanted(request.terminatorPath, Evidence::Terminator)
                                     ? readTerminatorRows(request.terminatorPath)
                                     : std::vector<TerminatorRow>{};
        genome::RecordTable records;
        if (!request.geneTables.empty()) {
            auto read = genome::readRecordTableBeside(request.geneTables.front());
            if (!read)
                throw InputError(read.error);
            records = std::move(*read.value);
        }
        GenomeSignals observed = collectSignals(genes, tags, promoters, terminators, records);
        if (!request.panelPath.empty() && request.options.uses(Evidence::Panel)) {
            const auto panel = addPanelEvidence(observed, genes, request.genomePath, request.panelPath,
                                                fitGapModel(observed).operonShare);
            outcome.panelMessage = panel.ok ? panel.message : "no panel evidence: " + panel.message;
        }
        const EvidenceFit fit = fitEvidence(observed, request.options);
        std::vector<bool> links;
        for (double p : fit.posterior)
            links.push_back(p >= 0.5);
        const auto refined = relinkGeneTags(genes, tags, observed.candidates, links);

        if (!request.tablePath.empty())
            writeEvidenceTable(request.tablePath, genes, observed.candidates, fit, request.options);
        outcome.candidates = observed.candidates.size();
        for (std::size_t k = 0; k < links.size(); ++k) {
            const std::size_t row = observed.candidates[k].row;
            outcome.links += links[k];
            outcome.changed += links[k] != (tags[row].operon == tags[row + 1].operon);
        }

        const std::string target = request.outputPath.empty() ? request.geneTagPath : request.outputPath;
        std::string error;
        if (!genome::writeFileWhole(target, geneTagText(refined), &error))
            throw InputError(error);
        outcome.ok = true;
        char share[16];
        std::snprintf(share, sizeof share, "%.2f", fit.operonShare);
        outcome.message = "operons refined by evidence: " + std::to_string(outcome.links) + " of " +
                          std::to_string(outcome.candidates) + " same-strand neighbours linked (" +
                          std::to_string(outcome.changed) + " changed from the operon engine; fitted operon share " +
                          share + ", " + std::to_string(fit.iterations) + " iterations)";
    } catch (const std::exception& e) {
        outcome.ok = false;
        outcome.message = e.what();
    }
    return outcome;
}

} // namespace meridan::evidence
