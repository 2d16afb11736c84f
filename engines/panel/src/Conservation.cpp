#include "meridan/panel/Conservation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace meridan::panel {

namespace {

// Homologues kept per gene and panel genome, best first: a few paralogues
// are enough to find the one that sits beside its partner.
constexpr std::size_t kHomologuesPerGenome = 3;
// Genes that may lie between two homologues that still count as neighbours;
// allowing one (an insertion, a short gene one annotation has and the other
// not) made no difference on the benchmark genomes.
constexpr int kMaxBetween = 0;
// Opposite-strand pairs a genome needs before its background counts.
constexpr int kMinBackground = 10;

using PerGenome = std::vector<std::vector<int>>; // per panel genome: gene indexes of the homologues

std::vector<PerGenome> homologuesByGenome(const std::vector<QueryGene>& query, std::size_t genomes)
{
    std::vector<PerGenome> out(query.size(), PerGenome(genomes));
    for (std::size_t i = 0; i < query.size(); ++i) {
        auto hits = query[i].homologues;
        std::stable_sort(hits.begin(), hits.end(), [](const Homologue& a, const Homologue& b) { return a.bits > b.bits; });
        for (const auto& h : hits) {
            if (h.genome < 0 || std::size_t(h.genome) >= genomes)
                continue;
            auto& kept = out[i][std::size_t(h.genome)];
            if (kept.size() < kHomologuesPerGenome && std::find(kept.begin(), kept.end(), h.gene) == kept.end())
                kept.push_back(h.gene);
        }
    }
    return out;
}

// Whether some homologue of one gene and some of the other are neighbours
// in the panel genome, on one strand (sameStrand) or on opposite strands.
bool neighbours(const std::vector<int>& a, const std::vector<int>& b, const std::vector<PanelGene>& genes,
                bool sameStrand)
{
    for (int x : a)
        for (int y : b) {
            const PanelGene& gx = genes[std::size_t(x)];
            const PanelGene& gy = genes[std::size_t(y)];
            if (x == y) {
                if (sameStrand)
                    return true; // the two genes fused into one
                continue;
            }
            if (gx.record != gy.record || std::abs(x - y) > kMaxBetween + 1)
                continue;
            if ((gx.strand == gy.strand) == sameStrand)
                return true;
        }
    return false;
}

} // namespace

ConservationResult measureConservation(const std::vector<QueryGene>& query, const PanelDatabase& panel,
                                       double operonShare, const std::vector<bool>& skipGenome)
{
    const std::size_t genomes = panel.genomes.size();
    const auto homologues = homologuesByGenome(query, genomes);
    const std::size_t pairs = query.empty() ? 0 : query.size() - 1;
    ConservationResult result;
    result.pairs.assign(pairs, std::nullopt);
    result.genomes.assign(genomes, {});

    // conserved[g][i]: -1 no homologues of both genes, else whether they are neighbours.
    std::vector<std::vector<signed char>> conserved(genomes, std::vector<signed char>(pairs, -1));
    for (std::size_t g = 0; g < genomes; ++g) {
        if (g < skipGenome.size() && skipGenome[g])
            continue;
        GenomeBackground& bg = result.genomes[g];
        for (std::size_t i = 0; i < pairs; ++i) {
            if (query[i].record != query[i + 1].record)
                continue;
            const auto& a = homologues[i][g];
            const auto& b = homologues[i + 1][g];
            if (a.empty() || b.empty())
                continue;
            const bool same = query[i].strand == query[i + 1].strand;
            const bool kept = neighbours(a, b, panel.genomes[g].genes, same);
            conserved[g][i] = kept;
            (same ? bg.samePairs : bg.oppositePairs) += 1;
            (same ? bg.sameConserved : bg.oppositeConserved) += kept;
        }
        // The boundary rate from the opposite-strand pairs; the operon rate is
        // what the same-strand pairs' rate leaves once their boundaries are
        // taken out at that rate.
        const double share = std::clamp(operonShare, 0.05, 0.95);
        bg.boundaryRate = (bg.oppositeConserved + 0.5) / (bg.oppositePairs + 1.0);
        const double sameRate = (bg.sameConserved + 0.5) / (bg.samePairs + 1.0);
        bg.operonRate = std::clamp((sameRate - (1.0 - share) * bg.boundaryRate) / share, bg.boundaryRate, 0.995);
        bg.used = bg.oppositePairs >= kMinBackground && bg.operonRate > bg.boundaryRate * 1.05;
    }

    for (std::size_t i = 0; i < pairs; ++i) {
        PairConservation pc;
        for (std::size_t g = 0; g < genomes; ++g) {
            const GenomeBackground& bg = result.genomes[g];
            if (!bg.used || conserved[g][i] < 0)
                continue;
            ++pc.informative;
            if (conserved[g][i]) {
                ++pc.conserved;
                pc.score += std::log(bg.operonRate / bg.boundaryRate);
            }
        }
        if (pc.informative > 0)
            result.pairs[i] = pc;
    }
    return result;
}

} // namespace meridan::panel
