// The trained terminator model as the scanning engine uses it: the values of
// the model files and the ratios derived from them.
#pragma once

#include "terminator/HairpinGeometry.h"
#include "terminator/ModelFiles.h"

#include <array>
#include <string>
#include <vector>

namespace meridan::dovrane {

using terminator::PairMatrix;

inline constexpr std::size_t kScanSlots = 250; // zero-filled slots of each length distribution

struct ScanModel {
    std::array<double, 4> background{};
    PairMatrix pairRatio{};            // admissible pairs only; the others 0
    std::array<double, 4> tailRatio{};
    std::vector<double> stemLen = std::vector<double>(kScanSlots, 0.0);
    std::vector<double> loopLen = std::vector<double>(kScanSlots, 0.0);
    std::vector<double> tailLen = std::vector<double>(kScanSlots, 0.0);
    double p0 = 0.0; // kept with the model; the scan score does not use it

    // Derives the ratios. A background value that is zero (or not positive)
    // would divide by zero: throws RunError naming bfPath instead.
    static ScanModel fromParameters(const terminator::ModelParameters& parameters,
                                    const std::string& bfPath);
};

// Reads the seven model files of prefix. Throws RunError when one is missing
// or unusable.
ScanModel readScanModel(const std::string& prefix);

} // namespace meridan::dovrane
