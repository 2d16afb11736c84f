// Reader of the TU builder's summary (<id>_summary.txt), three lines:
//   N internal promoters,
//   N internal terminators,
//   N TUs including M alternative ones.
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace meridan::genome::results {

struct Summary {
    long internalPromoters = 0;
    long internalTerminators = 0;
    long tuCount = 0;
    long alternativeCount = 0;
};

struct SummaryFile {
    bool opened = false;
    std::optional<Summary> summary; // set when all three lines could be read
    std::vector<ResultProblem> problems;
};

SummaryFile readSummary(std::istream& in, const std::string& sourceName);
SummaryFile readSummaryFile(const std::string& path);

} // namespace meridan::genome::results
