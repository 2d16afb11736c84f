#include "ContextTraining.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/Nucleotides.h"

#include <algorithm>
#include <cmath>

namespace meridan::ethrin::tools {

namespace {

double logit(double p) { return std::log2(p / (1.0 - p)); }

} // namespace

ContextCounts learnPositionAndIntergenic(PromoterModel& model, const std::vector<KnownStart>& starts,
                                         const std::vector<GeneRow>& genes, long genomeLength,
                                         const RegionSettings& settings, int binWidth)
{
    const int size = settings.upstream + settings.downstream;
    if (binWidth < 1 || size < 1 || genomeLength < 1)
        throw InputError("context training needs a region and a bin width of at least one base");
    const int bins = (size + binWidth - 1) / binWidth;
    const std::vector<std::uint8_t> genic = genicMask(genomeLength, genes);
    std::vector<double> startsPerBin(bins, 0.0);
    std::vector<double> basesPerBin(bins, 0.0);
    std::vector<double> intergenicBasesPerBin(bins, 0.0);
    ContextCounts counts;
    // Starts of each strand in coordinate order, to find those in a region.
    std::vector<long> plus, minus;
    for (const KnownStart& s : starts)
        (s.strand == '+' ? plus : minus).push_back(s.tss);
    std::sort(plus.begin(), plus.end());
    std::sort(minus.begin(), minus.end());
    for (const GeneRow& g : genes) {
        for (int p = 0; p < size; ++p) {
            const long at = regionToGenome(genomeLength, g, settings, p);
            basesPerBin[p / binWidth] += 1.0;
            intergenicBasesPerBin[p / binWidth] += genic[at - 1] ? 0.0 : 1.0;
        }
        const auto& list = g.strand == '+' ? plus : minus;
        // The region in forward coordinates (not wrapping; starts in a region
        // across the origin are rare enough to leave out).
        const long a = regionToGenome(genomeLength, g, settings, 0);
        const long b = regionToGenome(genomeLength, g, settings, size - 1);
        const long lo = std::min(a, b);
        const long hi = std::max(a, b);
        if (hi - lo + 1 != size)
            continue;
        for (auto it = std::lower_bound(list.begin(), list.end(), lo); it != list.end() && *it <= hi; ++it) {
            const long offset = g.strand == '+' ? *it - a : a - *it;
            startsPerBin[offset / binWidth] += 1.0;
            ++counts.starts;
            counts.intergenicStarts += genic[*it - 1] ? 0 : 1;
        }
    }
    if (counts.starts == 0)
        throw InputError("no known transcription start lies in a scanned gene region");

    model.positionFirst = -settings.upstream;
    model.positionBin = binWidth;
    model.positionOdds.assign(bins, 0.0);
    const double total = static_cast<double>(counts.starts) + bins;
    double expectedIntergenic = 0.0; // share of region bases outside genes, weighted like the starts
    for (int k = 0; k < bins; ++k) {
        // The last bin may be narrower: its odds are per base like the others.
        const double share = (startsPerBin[k] + 1.0) / total;
        const double width = std::min(binWidth, size - k * binWidth);
        model.positionOdds[k] = std::log2(share / (width / size));
        if (basesPerBin[k] > 0.0)
            expectedIntergenic += share * intergenicBasesPerBin[k] / basesPerBin[k];
    }
    const double observed = (counts.intergenicStarts + 0.5) / (counts.starts + 1.0);
    expectedIntergenic = std::clamp(expectedIntergenic, 0.01, 0.99);
    model.hasIntergenic = true;
    model.intergenicOdds = std::log2(observed / expectedIntergenic);
    model.genicOdds = std::log2((1.0 - observed) / (1.0 - expectedIntergenic));
    return counts;
}

long learnGapOdds(PromoterModel& model, const std::vector<KnownStart>& starts, const std::vector<GeneRow>& genes,
                  long genomeLength, const RegionSettings& settings, const std::vector<double>& edges)
{
    if (edges.empty() || !std::is_sorted(edges.begin(), edges.end()) || genomeLength < 1)
        throw InputError("the gap odds need increasing bin edges and a genome");
    const std::vector<std::uint8_t> genic = genicMask(genomeLength, genes);
    std::vector<long> plus, minus;
    for (const KnownStart& s : starts)
        (s.strand == '+' ? plus : minus).push_back(s.tss);
    std::sort(plus.begin(), plus.end());
    std::sort(minus.begin(), minus.end());
    const std::size_t bins = edges.size() + 1;
    std::vector<double> all(bins, 0.0), withStart(bins, 0.0);
    long holding = 0;
    const int size = settings.upstream + settings.downstream;
    for (const GeneRow& g : genes) {
        const long gap = upstreamGap(genic, g, 100000);
        const std::size_t k = std::lower_bound(edges.begin(), edges.end(), static_cast<double>(gap)) - edges.begin();
        all[k] += 1.0;
        const long a = regionToGenome(genomeLength, g, settings, 0);
        const long b = regionToGenome(genomeLength, g, settings, size - 1);
        const auto& list = g.strand == '+' ? plus : minus;
        const auto it = std::lower_bound(list.begin(), list.end(), std::min(a, b));
        if (it != list.end() && *it <= std::max(a, b) && std::max(a, b) - std::min(a, b) + 1 == size) {
            withStart[k] += 1.0;
            ++holding;
        }
    }
    if (holding == 0)
        throw InputError("no gene region holds a known transcription start");
    model.gapEdges = edges;
    model.gapOdds.assign(bins, 0.0);
    double totalAll = 0.0;
    for (double v : all)
        totalAll += v;
    for (std::size_t k = 0; k < bins; ++k)
        model.gapOdds[k] = std::log2(((withStart[k] + 1.0) / (static_cast<double>(holding) + bins))
                                     / ((all[k] + 1.0) / (totalAll + bins)));
    return holding;
}

long learnUpElement(PromoterModel& model, const std::vector<std::string>& sequences,
                    const std::vector<Placement>& placements, int width, double genomeAt)
{
    if (width < 1 || !(genomeAt > 0.0 && genomeAt < 1.0))
        throw InputError("the UP element needs a width of at least one base and an A/T share in (0, 1)");
    double at = 0.0;
    double bases = 0.0;
    long windows = 0;
    for (std::size_t k = 0; k < sequences.size() && k < placements.size(); ++k) {
        const int from = placements[k].firstBox - width;
        if (placements[k].firstBox < 0 || from < 0)
            continue;
        ++windows;
        for (int i = from; i < placements[k].firstBox; ++i) {
            const std::uint8_t c = baseCode(sequences[k][i]);
            if (c >= 4)
                continue;
            bases += 1.0;
            at += (c == 0 || c == 3) ? 1.0 : 0.0;
        }
    }
    if (windows == 0)
        throw InputError("no placed sequence reaches " + std::to_string(width) + " bases before its first box");
    const double share = (at + 1.0) / (bases + 2.0);
    model.upElementWidth = width;
    model.upElementShift = logit(share) - logit(genomeAt);
    return windows;
}

} // namespace meridan::ethrin::tools
