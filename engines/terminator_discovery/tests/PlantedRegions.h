// Training regions for the terminator model tests: random bases with one
// strong hairpin and T-rich tail planted in some of them, and their base
// composition.
#pragma once

#include "TerminatorTestSupport.h"
#include "castrel/TerminatorModel.h"

#include <array>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace meridan::castrel::testsupport {

inline const std::string kPlantedHairpin = "GCCCGCCTAATGAGCGGGCTTTTTTTT";

// `count` regions of 120 random bases; plantAt(r) gives where region r
// holds the hairpin, or a negative number for none.
template <typename PlantAt>
std::vector<std::vector<Code>> plantedRegions(std::mt19937& random, int count, PlantAt plantAt)
{
    std::vector<std::vector<Code>> regions;
    std::ostringstream trace;
    for (int r = 0; r < count; ++r) {
        std::string text = meridan::terminator::testsupport::randomBases(120, random);
        if (const int at = plantAt(r); at >= 0)
            text.replace(static_cast<std::size_t>(at), kPlantedHairpin.size(), kPlantedHairpin);
        regions.push_back(meridan::terminator::encodeRegion(text, trace));
    }
    return regions;
}

// The share of each base over all regions.
inline std::array<double, 4> composition(const std::vector<std::vector<Code>>& regions)
{
    std::array<double, 4> counts{};
    double total = 0;
    for (const auto& x : regions) {
        for (Code c : x)
            counts[c] += 1;
        total += static_cast<double>(x.size());
    }
    for (double& c : counts)
        c /= total;
    return counts;
}

} // namespace meridan::castrel::testsupport
