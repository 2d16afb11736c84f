#include "meridan/operon/Decision.h"

namespace meridan::operon {

namespace {

// Index of the first largest share, when there is a share and it exceeds 0.5.
std::optional<std::size_t> confidentWindow(std::span<const double> shares)
{
    if (shares.empty())
        return std::nullopt;
    std::size_t best = 0;
    for (std::size_t p = 1; p < shares.size(); ++p)
        if (shares[p] > shares[best])
            best = p;
    if (shares[best] > 0.5)
        return best;
    return std::nullopt;
}

} // namespace

PairDecision decidePair(const CandidatePair& pair, const PairEvidence& evidence)
{
    PairDecision d;
    d.label = evidence.posterior >= 0.5 ? 1 : 0;
    const MotifId sdMotif = d.label == 1 ? MotifId::SdOperon : MotifId::SdBoundary;
    if (const auto p = confidentWindow(evidence.windowShares[index(sdMotif)]))
        d.sdPosition = 20 - static_cast<std::int32_t>(*p);
    if (d.label == 1)
        return d;
    if (const auto p = confidentWindow(evidence.windowShares[index(MotifId::PromoterBoundary)]))
        d.taPosition = static_cast<std::int32_t>(pair.promoterRegion.size()) -
                       static_cast<std::int32_t>(*p) + 20;
    if (const auto p = confidentWindow(evidence.windowShares[index(MotifId::TerminatorBoundary)]))
        d.terminatorPosition = static_cast<std::int32_t>(*p) + 1;
    return d;
}

std::vector<PairDecision> decidePairs(const TrainingMaterial& material, const Evidence& evidence)
{
    std::vector<PairDecision> decisions;
    decisions.reserve(material.pairs.size());
    for (std::size_t k = 0; k < material.pairs.size(); ++k)
        decisions.push_back(decidePair(material.pairs[k], evidence.pairs[k]));
    return decisions;
}

std::vector<std::optional<PairDecision>>
neighbourDecisions(const TrainingMaterial& material, const std::vector<PairDecision>& decisions,
                   std::size_t geneCount)
{
    std::vector<std::optional<PairDecision>> neighbours(geneCount > 0 ? geneCount - 1 : 0);
    for (std::size_t k = 0; k < material.pairs.size() && k < decisions.size(); ++k) {
        const std::size_t i = material.genes[material.pairs[k].first].tableIndex;
        const std::size_t j = material.genes[material.pairs[k].second].tableIndex;
        // A pair that skips a gene left out of the list joins no neighbours.
        if (j == i + 1 && i < neighbours.size())
            neighbours[i] = decisions[k];
    }
    return neighbours;
}

GeneTags assignGeneTags(const std::vector<genome::GeneRecord>& genes,
                        const std::vector<std::optional<PairDecision>>& neighbours)
{
    const std::size_t n = genes.size();
    GeneTags tags;
    tags.operonNumber.assign(n, 0);
    tags.sdPosition.assign(n, 0);
    tags.taPosition.assign(n, 0);
    tags.terminatorPosition.assign(n, 0);
    if (n == 0)
        return tags;
    tags.sdPosition[0] = tags.taPosition[0] = tags.terminatorPosition[0] = -1;
    if (n >= 2 && genes[n - 2].strand == '+' && genes[n - 1].strand == '-')
        tags.sdPosition[n - 1] = tags.taPosition[n - 1] = -1;
    if (genes[n - 1].strand == '+')
        tags.terminatorPosition[n - 1] = -1;

    double links = 0; // j: links made so far
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double here = static_cast<double>(i) - links;
        const char strand = genes[i].strand;
        if (strand == genes[i + 1].strand) {
            const PairDecision d =
                i < neighbours.size() && neighbours[i] ? *neighbours[i] : PairDecision{};
            if (d.label == 1) {
                tags.operonNumber[i] = tags.operonNumber[i + 1] = here;
                links += 1;
            } else {
                tags.operonNumber[i] = here;
                tags.operonNumber[i + 1] = here + 1;
            }
            if (strand == '+') {
                tags.sdPosition[i + 1] = d.sdPosition;
                tags.taPosition[i + 1] = d.taPosition;
                tags.terminatorPosition[i] = d.terminatorPosition;
            } else if (strand == '-') {
                tags.sdPosition[i] = d.sdPosition;
                tags.taPosition[i] = d.taPosition;
                tags.terminatorPosition[i + 1] = d.terminatorPosition;
            }
        } else {
            tags.operonNumber[i] = here;
            tags.operonNumber[i + 1] = here + 1;
            if (strand == '-')
                tags.sdPosition[i] = tags.sdPosition[i + 1] = tags.taPosition[i] =
                    tags.taPosition[i + 1] = -1;
            if (strand == '+')
                tags.terminatorPosition[i] = tags.terminatorPosition[i + 1] = -1;
        }
    }
    return tags;
}

GeneTags separateGeneTags(std::size_t geneCount)
{
    GeneTags tags;
    tags.operonNumber.resize(geneCount);
    for (std::size_t i = 0; i < geneCount; ++i)
        tags.operonNumber[i] = static_cast<double>(i);
    tags.sdPosition.assign(geneCount, -1);
    tags.taPosition.assign(geneCount, -1);
    tags.terminatorPosition.assign(geneCount, -1);
    return tags;
}

} // namespace meridan::operon
