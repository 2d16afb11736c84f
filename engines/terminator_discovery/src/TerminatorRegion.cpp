#include "castrel/TerminatorRegion.h"

#include "terminator/GenomeText.h"

namespace meridan::castrel {

std::string cutTerminatorRegion(const std::string& genome, const PairLocation& pair)
{
    if (pair.strand == '-') {
        return terminator::reverseComplement(
            terminator::clippedWindow(genome, pair.downstreamStart - 111, kTerminatorRegionLength));
    }
    return terminator::clippedWindow(genome, pair.upstreamEnd - 10, kTerminatorRegionLength);
}

std::vector<TerminatorRegion> buildTerminatorRegions(const std::string& genome,
                                                     const std::vector<PairLocation>& pairs,
                                                     std::ostream& trace)
{
    std::vector<TerminatorRegion> regions;
    regions.reserve(pairs.size());
    for (const PairLocation& pair : pairs) {
        TerminatorRegion region;
        region.sequence = cutTerminatorRegion(genome, pair);
        region.code = terminator::encodeRegion(region.sequence, trace);
        regions.push_back(std::move(region));
    }
    return regions;
}

std::array<double, 4> backgroundComposition(const std::vector<TerminatorRegion>& regions)
{
    std::array<double, 4> counts{};
    double total = 0;
    for (const TerminatorRegion& region : regions) {
        for (const Code c : region.code)
            counts[c] += 1;
        total += static_cast<double>(region.code.size());
    }
    if (total > 0) {
        for (double& value : counts)
            value /= total;
    }
    return counts;
}

} // namespace meridan::castrel
