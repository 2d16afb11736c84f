// One run of the terminator scanning engine: gene pairs and their labels,
// the scan regions, the model files left by the discovery engine, the best
// element of every region, the score table and the removal of the temporary
// files.
#pragma once

#include "meridan/engine/RunContext.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace meridan::dovrane {

struct ScanningInputs {
    std::string fnaPath;
    std::string pttPath;
    std::string outputDir;          // a prefix: ends with a path separator
    // The files the discovery hands to the scan: the pair file and the run
    // log. Empty: wholepairs_loc.txt and log.txt in the current directory.
    std::filesystem::path pairPath;
    std::filesystem::path runLogPath;
    const engine::RunContext* context = nullptr; // progress and cancel; none: a plain run
};

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
