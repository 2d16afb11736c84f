// What one run of a terminator engine (the discovery or the scan) reads and
// where it writes.
#pragma once

#include "meridan/engine/RunContext.h"

#include <filesystem>
#include <string>

namespace meridan::terminator {

struct RunInputs {
    std::string fnaPath;
    std::string pttPath;
    std::string outputDir;          // a prefix: ends with a path separator
    // The files the discovery hands to the scan: the pair file and the run
    // log. Empty: wholepairs_loc.txt and log.txt in the current directory.
    std::filesystem::path pairPath;
    std::filesystem::path runLogPath;
    const engine::RunContext* context = nullptr; // progress and cancel; none: a plain run
};

} // namespace meridan::terminator
