#include "dovrane/ScanRegions.h"

#include "terminator/GenomeText.h"
#include "terminator/NucleotideCode.h"

#include <algorithm>
#include <optional>

namespace meridan::dovrane {

std::vector<ScanWindow> scanWindows(const std::vector<PairLocation>& pairs)
{
    const std::size_t count = pairs.size();
    // Upstream end of the next + pair and downstream start of the previous - pair.
    std::vector<std::optional<long long>> nextPlusEnd(count);
    std::vector<std::optional<long long>> previousMinusStart(count);
    std::optional<long long> seen;
    for (std::size_t k = count; k-- > 0;) {
        nextPlusEnd[k] = seen;
        if (pairs[k].strand == '+')
            seen = pairs[k].upstreamEnd;
    }
    seen.reset();
    for (std::size_t k = 0; k < count; ++k) {
        previousMinusStart[k] = seen;
        if (pairs[k].strand == '-')
            seen = pairs[k].downstreamStart;
    }

    std::vector<ScanWindow> windows;
    windows.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const PairLocation& pair = pairs[k];
        const long long ownGap = pair.downstreamStart - pair.upstreamEnd - 1;
        ScanWindow window;
        window.strand = pair.strand;
        if (pair.strand == '+') {
            // The last + pair before only - pairs keeps its own gap too,
            // rather than an empty region.
            const bool ownRegion = k + 1 == count || !nextPlusEnd[k];
            window.length = ownRegion ? ownGap : *nextPlusEnd[k] - pair.upstreamEnd - 1;
            window.length = std::clamp(window.length, 0LL, kMaxScanLength);
            window.start = pair.upstreamEnd - 10;
        } else {
            if (k == 0)
                window.length = ownGap;
            else
                window.length = pair.downstreamStart - previousMinusStart[k].value_or(0) - 1;
            window.length = std::clamp(window.length, 0LL, kMaxScanLength);
            window.start = pair.downstreamStart - window.length + 9;
        }
        windows.push_back(window);
    }
    return windows;
}

std::vector<ScanWindow> scanWindows(const std::vector<PairLocation>& pairs, const genome::RecordTable& records)
{
    if (!records.joined())
        return scanWindows(pairs);
    std::vector<ScanWindow> windows;
    windows.reserve(pairs.size());
    genome::forEachRecordRun(
        records, pairs, [](const PairLocation& pair) { return pair.upstreamEnd; },
        [&](std::size_t first, std::size_t last) {
            const auto record = records.recordAt(pairs[first].upstreamEnd);
            const long long shift = record ? records.records[*record].start - 1 : 0;
            std::vector<PairLocation> local(pairs.begin() + first, pairs.begin() + last);
            for (PairLocation& pair : local) {
                pair.upstreamEnd -= shift;
                pair.downstreamStart -= shift;
            }
            for (ScanWindow window : scanWindows(local)) {
                window.start += shift;
                windows.push_back(window);
            }
        });
    return windows;
}

std::string cutScanRegion(const std::string& genome, const ScanWindow& window)
{
    std::string forward = terminator::clippedWindow(genome, window.start, window.length);
    return window.strand == '-' ? terminator::reverseComplement(forward) : forward;
}

} // namespace meridan::dovrane
