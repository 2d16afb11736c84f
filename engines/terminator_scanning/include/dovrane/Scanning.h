// One run of the terminator scanning engine: gene pairs and their labels,
// the scan regions, the model files left by the discovery engine, the best
// element of every region, the score table and the removal of the temporary
// files.
#pragma once

#include "terminator/RunInputs.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace meridan::dovrane {

using ScanningInputs = terminator::RunInputs;

struct ScanningResult {
    bool ok = false;
    std::size_t regions = 0;
    std::size_t rows = 0;
};

// Runs the engine; trace lines and failure messages go to out. On failure no
// score table is written and the model files stay where they are; so does a
// cancel request (engine::Cancelled, thrown out of the call). Progress stage
// "regions scanned".
ScanningResult runScanning(const ScanningInputs& inputs, std::ostream& out);

} // namespace meridan::dovrane
