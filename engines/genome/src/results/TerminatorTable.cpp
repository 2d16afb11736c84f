#include "meridan/genome/results/TerminatorTable.h"

#include "ResultLines.h"

namespace meridan::genome::results {

using namespace detail;

ResultRows<TerminatorRow> readTerminatorTable(std::istream& in, const std::string& sourceName)
{
    return readRows<TerminatorRow>(in, sourceName, 7, [&](const std::vector<std::string_view>& items, std::size_t at,
                                                ResultRows<TerminatorRow>& result) {
        const auto start = wholeNumber(items[0]);
        const auto stem = wholeNumber(items[1]);
        const auto loop = wholeNumber(items[2]);
        const auto tail = wholeNumber(items[3]);
        const auto score = finiteNumber(items[4]);
        if (!start || !stem || !loop || !tail || !score) {
            addProblem(result.problems, sourceName, at, "start, stem, loop, tail and score must be numbers");
            return;
        }
        if (*start < 0 || *stem < 1 || *loop < 0 || *tail < 0 || *stem > 100000 || *loop > 100000 ||
            *tail > 100000) {
            addProblem(result.problems, sourceName, at, "start, stem, loop or tail out of range");
            return;
        }
        TerminatorRow row{at, *start, *stem, *loop, *tail, *score, std::string(items[5]), std::string(items[6]), {}};
        if (static_cast<long>(row.sequence.size()) != row.length()) {
            addProblem(result.problems, sourceName, at,
                       "the sequence has " + std::to_string(row.sequence.size()) + " bases, stem, loop and tail " +
                           std::to_string(row.length()));
            return;
        }
        row.text = joinedItems(items);
        result.rows.push_back(std::move(row));
    });
}

} // namespace meridan::genome::results
