#include "meridan/evidence/OperonRefinement.h"

#include "meridan/genome/ResultFiles.h"
#include "meridan/genome/results/GeneTagFile.h"

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

void writeEvidenceTable(const std::string& path, const std::vector<TableGene>& genes,
                        const std::vector<PairSignals>& candidates, const std::vector<double>& posterior)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "first\tsecond\tstrand\tgap\tengine\tterminator\tpromoter\tcategory\tproduct\tlength\tname\tposterior\n";
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const PairSignals& s = candidates[k];
        const char* category[] = {"NA", "shared", "different"};
        const char* name[] = {"NA", "different", "shared", "shared-provisional"};
        out << genes[s.row].synonym << '\t' << genes[s.row + 1].synonym << '\t' << genes[s.row].strand << '\t'
            << optionalText(s.gap) << '\t' << optionalText(s.engineLink) << '\t' << optionalText(s.terminator)
            << '\t' << optionalText(s.promoter) << '\t' << category[int(s.category)] << '\t' << optionalText(s.product)
            << '\t' << optionalText(s.lengthRatio) << '\t' << name[int(s.name)] << '\t' << posterior[k] << '\n';
    }
    if (!out.flush())
        throw InputError("Can't write file " + path + " !");
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
        const auto exists = [](const std::string& p) { return !p.empty() && std::filesystem::exists(p); };
        const auto promoters = exists(request.promoterPath) ? readPromoterHits(request.promoterPath)
                                                            : std::vector<PromoterHit>{};
        const auto terminators = exists(request.terminatorPath) ? readTerminatorRows(request.terminatorPath)
                                                                : std::vector<TerminatorRow>{};
        const GenomeSignals observed = collectSignals(genes, tags, promoters, terminators);
        const EvidenceFit fit = fitEvidence(observed, request.options);
        std::vector<bool> links;
        for (double p : fit.posterior)
            links.push_back(p >= 0.5);
        const auto refined = relinkGeneTags(genes, tags, observed.candidates, links);

        if (!request.tablePath.empty())
            writeEvidenceTable(request.tablePath, genes, observed.candidates, fit.posterior);
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
