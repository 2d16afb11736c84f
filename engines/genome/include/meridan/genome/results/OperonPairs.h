// Reader of the operon pair table (<id>_operon_pairs.tsv) the evidence step
// writes: one tab-separated row per same-strand neighbour pair under a
// header naming the columns; this reads the pair, its gap and the
// probability that it shares an operon, found by their column names.
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace meridan::genome::results {

struct OperonPairRow {
    std::size_t line = 0;
    std::string first, second; // locus tags, in gene-table order
    char strand = '+';
    std::optional<long> gap;
    double probability = 0.0;  // 0 ... 1
};

ResultRows<OperonPairRow> readOperonPairs(std::istream& in, const std::string& sourceName);
ResultRows<OperonPairRow> readOperonPairsFile(const std::string& path);

} // namespace meridan::genome::results
