// The 120-nucleotide training regions: the last 10 nucleotides of each pair's
// leading gene and the 110 that follow it, read in the direction of
// transcription.
#pragma once

#include "terminator/NucleotideCode.h"
#include "terminator/PairFile.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::castrel {

using terminator::Code;
using terminator::PairLocation;

inline constexpr int kTerminatorRegionLength = 120;

struct TerminatorRegion {
    std::string sequence;  // as cut from the genome, in transcription direction
    std::vector<Code> code; // the nucleotide code of sequence
};

// + pair: genome[a - 10, a + 110); - pair: the reverse complement of
// genome[b - 111, b + 9). A window reaching outside the genome is clipped.
std::string cutTerminatorRegion(const std::string& genome, const PairLocation& pair);

// One region per pair, in pair order, coded (bad characters reported on trace).
std::vector<TerminatorRegion> buildTerminatorRegions(const std::string& genome,
                                                     const std::vector<PairLocation>& pairs,
                                                     std::ostream& trace);

// Fractions of the codes A, C, G, T over all regions (all 0 for no bases).
std::array<double, 4> backgroundComposition(const std::vector<TerminatorRegion>& regions);

} // namespace meridan::castrel
