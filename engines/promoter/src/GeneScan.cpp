#include "meridan/ethrin/GeneScan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

namespace meridan::ethrin {

namespace {

constexpr int kMaxRegionSide = 100000;
constexpr int kMaxKeep = 1000;
constexpr long kGapLimit = 100000;

long wrap(long position, long length)
{
    long p = (position - 1) % length;
    if (p < 0)
        p += length;
    return p + 1;
}

std::string boxText(const std::vector<std::uint8_t>& region, int from, int width)
{
    std::string text(width, 'N');
    for (int k = 0; k < width; ++k)
        text[k] = baseLetter(region[from + k]);
    return text;
}

} // namespace

RegionSettings normalizedSettings(int upstream, int downstream, int keep, long genomeLength)
{
    RegionSettings s;
    s.upstream = std::clamp(upstream, 0, kMaxRegionSide);
    s.downstream = std::clamp(downstream, 0, kMaxRegionSide);
    s.keep = std::clamp(keep, 1, kMaxKeep);
    const long length = std::max(0L, genomeLength);
    if (s.downstream > length)
        s.downstream = static_cast<int>(length);
    if (s.upstream + s.downstream > length)
        s.upstream = static_cast<int>(length - s.downstream);
    return s;
}

long regionToGenome(long genomeLength, const GeneRow& gene, const RegionSettings& settings, long offset)
{
    const long relative = offset - settings.upstream;
    return wrap(gene.strand == '+' ? gene.startCodon + relative : gene.startCodon - relative, genomeLength);
}

void geneRegion(std::span<const std::uint8_t> genome, const GeneRow& gene, const RegionSettings& settings,
                std::vector<std::uint8_t>& region)
{
    const long length = static_cast<long>(genome.size());
    const int size = settings.upstream + settings.downstream;
    region.resize(size);
    if (size == 0)
        return;
    long p = regionToGenome(length, gene, settings, 0) - 1; // 0-based
    if (gene.strand == '+') {
        for (int k = 0; k < size; ++k) {
            region[k] = genome[p];
            if (++p == length)
                p = 0;
        }
    } else {
        for (int k = 0; k < size; ++k) {
            region[k] = complementCode(genome[p]);
            if (--p < 0)
                p = length - 1;
        }
    }
}

std::vector<std::uint8_t> genicMask(long genomeLength, const std::vector<GeneRow>& genes)
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(std::max(0L, genomeLength)), 0);
    if (genomeLength <= 0)
        return mask;
    for (const GeneRow& g : genes) {
        const long from = std::clamp(g.left, 1L, genomeLength);
        const long to = std::clamp(g.right > 0 ? g.right : g.startCodon, 1L, genomeLength);
        if (from <= to) {
            std::fill(mask.begin() + (from - 1), mask.begin() + to, 1);
        } else {
            std::fill(mask.begin() + (from - 1), mask.end(), 1);
            std::fill(mask.begin(), mask.begin() + to, 1);
        }
    }
    return mask;
}

long upstreamGap(const std::vector<std::uint8_t>& genic, const GeneRow& gene, long limit)
{
    const long length = static_cast<long>(genic.size());
    long gap = 0;
    long p = gene.startCodon - 1; // 0-based start codon
    while (gap < limit && gap < length) {
        p += gene.strand == '+' ? -1 : 1;
        p = (p % length + length) % length;
        if (genic[p])
            break;
        ++gap;
    }
    return gap;
}

void regionBonus(const ScanContext& context, long genomeLength, const GeneRow& gene, const RegionSettings& settings,
                 std::vector<double>& bonus)
{
    const int size = settings.upstream + settings.downstream;
    bonus.assign(size, 0.0);
    const PromoterModel* m = context.model;
    if (!m)
        return;
    const bool mask = static_cast<long>(context.genic.size()) == genomeLength;
    const double gap = mask && !m->gapOdds.empty() ? m->gapScore(upstreamGap(context.genic, gene, kGapLimit)) : 0.0;
    const bool intergenic = mask && m->hasIntergenic;
    long at = regionToGenome(genomeLength, gene, settings, 0) - 1; // 0-based, walking in the gene's direction
    const long step = gene.strand == '+' ? 1 : -1;
    for (int p = 0; p < size; ++p) {
        double b = gap + m->positionScore(p - settings.upstream);
        if (intergenic)
            b += context.genic[at] ? m->genicOdds : m->intergenicOdds;
        bonus[p] = b;
        at += step;
        if (at == genomeLength)
            at = 0;
        else if (at < 0)
            at = genomeLength - 1;
    }
}

void prepareBonus(ScanContext& context, long genomeLength, const std::vector<GeneRow>& genes,
                  const RegionSettings& settings)
{
    const std::size_t size = static_cast<std::size_t>(settings.upstream + settings.downstream);
    context.bonus.clear();
    if (!context.model)
        return;
    context.bonus.resize(size * genes.size());
    std::vector<double> one;
    for (std::size_t g = 0; g < genes.size(); ++g) {
        regionBonus(context, genomeLength, genes[g], settings, one);
        std::copy(one.begin(), one.end(), context.bonus.begin() + static_cast<long>(g * size));
    }
}

namespace {

// The context scores of gene g's region: from the prepared table when there
// is one, else computed into `scratch`.
std::span<const double> bonusOf(const ScanContext& context, long genomeLength, const std::vector<GeneRow>& genes,
                                std::size_t g, const RegionSettings& settings, std::vector<double>& scratch)
{
    const std::size_t size = static_cast<std::size_t>(settings.upstream + settings.downstream);
    if (!context.model)
        return {};
    if (context.bonus.size() == size * genes.size())
        return std::span<const double>(context.bonus).subspan(g * size, size);
    regionBonus(context, genomeLength, genes[g], settings, scratch);
    return scratch;
}

} // namespace

std::vector<PromoterHit> scanGenes(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                   const PromoterScanner& scanner, int tssOffset, double threshold,
                                   const RegionSettings& settings,
                                   const std::function<void(std::size_t)>& scanned)
{
    (void)tssOffset; // the scanner carries its model's offset
    auto hits = scanGenes(genome, genes, scanner, ScanContext{}, settings, nullptr, scanned);
    for (PromoterHit& h : hits)
        h.score -= threshold;
    return hits;
}

std::vector<double> shuffledBestScores(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                       const PromoterScanner& scanner, const ScanContext& context,
                                       const RegionSettings& settings, int shuffles, std::uint64_t seed,
                                       const std::function<void(std::size_t)>& scanned)
{
    std::vector<double> best;
    const long length = static_cast<long>(genome.size());
    if (length == 0)
        return best;
    best.reserve(genes.size() * std::max(shuffles, 0));
    // splitmix64: small, fast and the same on every platform.
    std::uint64_t state = seed;
    const auto random = [&state]() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    };
    std::vector<std::uint8_t> region;
    std::vector<double> bonus;
    const std::size_t n = genes.size();
    for (std::size_t g = 0; g < n; ++g) {
        if (scanned)
            scanned(g);
        geneRegion(genome, genes[g], settings, region);
        for (int k = 0; k < shuffles; ++k) {
            // Context of a gene spread evenly away from this one.
            const std::size_t other = (g + (static_cast<std::size_t>(k) + 1) * n / (static_cast<std::size_t>(shuffles) + 1)) % n;
            const auto otherBonus = bonusOf(context, length, genes, other, settings, bonus);
            // Fisher-Yates with 53-bit uniform numbers: the same order on
            // every platform for the same seed.
            for (std::size_t i = region.size(); i > 1; --i) {
                const double u = static_cast<double>(random() >> 11) * 0x1.0p-53;
                std::swap(region[i - 1], region[static_cast<std::size_t>(u * static_cast<double>(i))]);
            }
            best.push_back(scanner.bestScore(region, otherBonus));
        }
    }
    return best;
}

std::vector<PromoterHit> scanGenes(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                   const PromoterScanner& scanner, const ScanContext& context,
                                   const RegionSettings& settings, std::vector<double>* bestPerGene,
                                   const std::function<void(std::size_t)>& scanned)
{
    std::vector<PromoterHit> hits;
    const long length = static_cast<long>(genome.size());
    if (length == 0)
        return hits;
    hits.reserve(genes.size() * settings.keep);
    if (bestPerGene)
        bestPerGene->assign(genes.size(), -std::numeric_limits<double>::infinity());
    const int tssOffset = scanner.tssOffset();
    std::vector<std::uint8_t> region;
    std::vector<double> bonus;
    for (std::size_t g = 0; g < genes.size(); ++g) {
        if (scanned)
            scanned(g);
        const GeneRow& gene = genes[g];
        geneRegion(genome, gene, settings, region);
        const auto regionHits = scanner.bestHits(region, settings.keep, bonusOf(context, length, genes, g, settings, bonus));
        if (bestPerGene && !regionHits.empty())
            (*bestPerGene)[g] = regionHits.front().logOdds;
        for (const RegionHit& h : regionHits) {
            PromoterHit hit;
            hit.gene = g;
            hit.start = h.firstBox - settings.upstream;
            hit.score = h.logOdds;
            hit.firstBoxPosition = regionToGenome(length, gene, settings, h.firstBox);
            hit.firstBox = boxText(region, h.firstBox, scanner.firstWidth());
            int lastBase = h.firstBox + scanner.firstWidth() - 1;
            if (scanner.twoBoxes()) {
                hit.secondBoxPosition = regionToGenome(length, gene, settings, h.secondBox);
                hit.secondBox = boxText(region, h.secondBox, scanner.secondWidth());
                hit.spacer = h.spacer;
                lastBase = h.secondBox + scanner.secondWidth() - 1;
            }
            hit.tss = regionToGenome(length, gene, settings, lastBase + tssOffset);
            hits.push_back(std::move(hit));
        }
    }
    return hits;
}

void writeScoreTable(std::ostream& out, bool twoBoxes, const std::vector<GeneRow>& genes,
                     const std::vector<PromoterHit>& hits)
{
    out << "synonym\tstrand\ttss\tstart\tscore\tfirstBox_pos\tfirstBox";
    if (twoBoxes)
        out << "\tsecondBox_pos\tsecondBox\tspacer";
    out << '\n';
    for (const PromoterHit& h : hits) {
        const GeneRow& gene = genes[h.gene];
        out << gene.synonym << '\t' << gene.strand << '\t' << h.tss << '\t' << h.start << '\t' << h.score << '\t'
            << h.firstBoxPosition << '\t' << h.firstBox;
        if (twoBoxes)
            out << '\t' << h.secondBoxPosition << '\t' << h.secondBox << '\t' << h.spacer;
        out << '\n';
    }
}

} // namespace meridan::ethrin
