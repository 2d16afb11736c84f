#include "meridan/ethrin/GeneScan.h"

#include <algorithm>
#include <ostream>

namespace meridan::ethrin {

namespace {

constexpr int kMaxRegionSide = 100000;
constexpr int kMaxKeep = 1000;

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

std::vector<PromoterHit> scanGenes(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                   const PromoterScanner& scanner, int tssOffset, double threshold,
                                   const RegionSettings& settings,
                                   const std::function<void(std::size_t)>& scanned)
{
    std::vector<PromoterHit> hits;
    const long length = static_cast<long>(genome.size());
    if (length == 0)
        return hits;
    hits.reserve(genes.size() * settings.keep);
    std::vector<std::uint8_t> region;
    for (std::size_t g = 0; g < genes.size(); ++g) {
        if (scanned)
            scanned(g);
        const GeneRow& gene = genes[g];
        geneRegion(genome, gene, settings, region);
        for (const RegionHit& h : scanner.bestHits(region, settings.keep)) {
            PromoterHit hit;
            hit.gene = g;
            hit.start = h.firstBox - settings.upstream;
            hit.score = h.logOdds - threshold;
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
