#include "meridan/operon/TrainingMaterial.h"

#include <algorithm>

namespace meridan::operon {

namespace {

// count characters of text from index start, kept inside text.
std::string cut(const std::string& text, std::int64_t start, std::int64_t count, bool& clipped)
{
    const std::int64_t size = static_cast<std::int64_t>(text.size());
    const std::int64_t begin = std::clamp<std::int64_t>(start, 0, size);
    const std::int64_t end =
        std::clamp<std::int64_t>(start + std::max<std::int64_t>(count, 0), 0, size);
    if (begin != start || end - begin != std::max<std::int64_t>(count, 0))
        clipped = true;
    return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

} // namespace

std::uint32_t windowCount(Signal s, std::uint32_t regionLength)
{
    const std::uint32_t width = signalWidth(s);
    if (s == Signal::Terminator)
        return regionLength > width ? regionLength - width : 0;
    return regionLength >= width ? regionLength - width + 1 : 0;
}

SignalRegions cutSignalRegions(const genome::GeneRecord& first, const genome::GeneRecord& second,
                               char strand, const genome::GenomeSequence& genome)
{
    SignalRegions r;
    const std::int64_t L = static_cast<std::int64_t>(genome.sequence.size());
    const std::int64_t firstEnd = first.end;
    const std::int64_t secondStart = second.start;
    const std::int64_t gap = secondStart - firstEnd - 1;
    const std::int64_t terminatorLength = std::clamp<std::int64_t>(gap, 20, 100);

    if (strand == '+') {
        // Terminator: right after the upstream gene's stop codon; at least
        // the genome's last 20 bases.
        if (L - firstEnd < 20)
            r.terminatorRegion = cut(genome.sequence, L - 20, 20, r.clipped);
        else
            r.terminatorRegion = cut(genome.sequence, firstEnd, terminatorLength, r.clipped);
        // Promoter: before the downstream gene's start codon (second.start).
        if (gap > 100)
            r.promoterRegion = cut(genome.sequence, secondStart - 101, 80, r.clipped);
        else if (gap < 35)
            r.promoterRegion = cut(genome.sequence, secondStart - 36, 15, r.clipped);
        else
            r.promoterRegion = cut(genome.sequence, firstEnd, gap - 20, r.clipped);
        // SD: the 20 bases before the start codon.
        if (secondStart < L && secondStart - 21 > 0)
            r.sdRegion = cut(genome.sequence, secondStart - 21, 20, r.clipped);
    } else {
        const std::string& rc = genome.reverseComplement;
        // On the minus strand the upstream gene is second (its stop codon at
        // second.start) and the downstream gene is first (start codon at
        // first.end); forward position p is reverse-complement index L - p.
        r.terminatorRegion = cut(rc, L - secondStart + 1, terminatorLength, r.clipped);
        if (gap > 100)
            r.promoterRegion = cut(rc, L - firstEnd - 100, 80, r.clipped);
        else if (gap < 35)
            r.promoterRegion = cut(rc, L - firstEnd - 35, 15, r.clipped);
        else
            r.promoterRegion = cut(rc, L - secondStart + 1, gap - 20, r.clipped);
        if (firstEnd < L && L - firstEnd - 20 > 0)
            r.sdRegion = cut(rc, L - firstEnd - 20, 20, r.clipped);
    }
    return r;
}

} // namespace meridan::operon
