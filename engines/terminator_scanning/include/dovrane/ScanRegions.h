// The scan region of each gene pair: from the last 10 nucleotides of the
// leading gene onwards in the direction of transcription, over the gap and
// into the other gene, at most 250 nucleotides.
#pragma once

#include "meridan/genome/RecordTable.h"

#include "terminator/PairFile.h"

#include <string>
#include <vector>

namespace meridan::dovrane {

using terminator::PairLocation;

inline constexpr long long kMaxScanLength = 250;

// Where a pair's region lies on the forward strand before it is clipped to
// the genome: 0-based start and length (0 ... 250). A - region is read as the
// reverse complement of this window.
struct ScanWindow {
    long long start = 0;
    long long length = 0;
    char strand = '+';
};

// + pair: length a' - a - 1 up to the upstream end a' of the next + pair; the
//   last pair of the file, and any + pair that no later + pair follows, use
//   their own gap b - a - 1. Window starts at a - 10.
// - pair: length b - b' - 1 from the downstream start b' of the previous -
//   pair; the first pair of the file uses its own gap b - a - 1, any other -
//   pair without an earlier - pair b' = 0. Window starts at b - length + 9.
std::vector<ScanWindow> scanWindows(const std::vector<PairLocation>& pairs);

// The same for each record of a joined genome on its own, as if it were a
// genome of its own: the record's first base stands for position 1.
std::vector<ScanWindow> scanWindows(const std::vector<PairLocation>& pairs, const genome::RecordTable& records);

// The window's characters in transcription direction, clipped to the genome.
std::string cutScanRegion(const std::string& genome, const ScanWindow& window);

} // namespace meridan::dovrane
