#include "meridan/genome/results/OperonPairs.h"

#include "ResultLines.h"

#include <algorithm>

namespace meridan::genome::results {

using namespace detail;

ResultRows<OperonPairRow> readOperonPairs(std::istream& in, const std::string& sourceName)
{
    ResultRows<OperonPairRow> result;
    result.opened = true;
    LineReader lines(in);
    std::string header;
    if (!lines.next(header)) {
        addProblem(result.problems, sourceName, 0, "the file is empty");
        return result;
    }
    const auto names = tabPieces(header);
    const auto column = [&](std::string_view name) -> std::optional<std::size_t> {
        const auto it = std::find(names.begin(), names.end(), name);
        return it == names.end() ? std::nullopt : std::optional<std::size_t>(std::size_t(it - names.begin()));
    };
    const auto first = column("first"), second = column("second"), strand = column("strand"), gap = column("gap"),
               probability = column("probability");
    if (!first || !second || !strand || !probability) {
        addProblem(result.problems, sourceName, 1, "the header lacks one of first, second, strand, probability");
        return result;
    }
    std::string line;
    while (lines.next(line)) {
        if (isBlankLine(line))
            continue;
        const std::size_t at = lines.lineNumber();
        const auto f = tabPieces(line);
        if (f.size() != names.size()) {
            addProblem(result.problems, sourceName, at,
                       "expected " + std::to_string(names.size()) + " tab-separated fields, found " +
                           std::to_string(f.size()));
            continue;
        }
        OperonPairRow row;
        row.line = at;
        row.first = std::string(f[*first]);
        row.second = std::string(f[*second]);
        if (f[*strand] != "+" && f[*strand] != "-") {
            addProblem(result.problems, sourceName, at, "the strand must be + or -");
            continue;
        }
        row.strand = f[*strand][0];
        if (gap && f[*gap] != "NA") {
            row.gap = wholeNumber(f[*gap]);
            if (!row.gap) {
                addProblem(result.problems, sourceName, at, "the gap is no whole number");
                continue;
            }
        }
        const auto p = finiteNumber(f[*probability]);
        if (!p || *p < 0.0 || *p > 1.0) {
            addProblem(result.problems, sourceName, at, "the probability is no number from 0 to 1");
            continue;
        }
        row.probability = *p;
        result.rows.push_back(std::move(row));
    }
    return result;
}

} // namespace meridan::genome::results
