// One run of the terminator discovery engine: gene pairs from the gene
// table, the pair file, the training regions, the trained model and its seven
// model files, and the run-log line.
#pragma once

#include "terminator/RunInputs.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace meridan::castrel {

inline constexpr const char* kRunLogName = "log.txt";

using DiscoveryInputs = terminator::RunInputs;

struct DiscoveryResult {
    bool ok = false;
    double score = 0.0;            // final log-likelihood of the model
    int sessionIterations = 0;
    int finalIterations = 0;
};

// Runs the engine; trace lines and failure messages go to out. On failure
// nothing is left behind: no model files, no log line, no pair file. A
// cancel request (engine::Cancelled) leaves the call the same way, as an
// exception.
DiscoveryResult runDiscovery(const DiscoveryInputs& inputs, std::ostream& out);

} // namespace meridan::castrel
