// Line and field handling shared by the result-file readers.
#pragma once

#include "meridan/genome/TextFields.h"
#include "meridan/genome/results/ResultRows.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace meridan::genome::results::detail {

// Reads numbered lines, a trailing carriage return dropped.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}
    bool next(std::string& line);
    std::size_t lineNumber() const { return number_; }

private:
    std::istream& in_;
    std::size_t number_ = 0;
};

// The whole text as a whole number within +-1e12, or nothing. Exponent
// notation is accepted when it gives a whole number (1.5e+06).
std::optional<long> wholeNumber(std::string_view text);
// The whole text as a finite decimal number, or nothing.
std::optional<double> finiteNumber(std::string_view text);

// The items joined by single blanks.
std::string joinedItems(const std::vector<std::string_view>& items);

// Appends the problem for line `line` of `file`.
void addProblem(std::vector<ResultProblem>& problems, const std::string& file, std::size_t line,
                std::string what);

enum class Separator { Blanks, Tabs };

// Reads the rows of a result table, items separated by blanks or by tabs:
// blank lines are skipped and a row with another number of items than
// `count` is a problem; every other row goes to parse(items, lineNumber),
// which keeps a row or adds a problem.
template <typename Parse>
void forEachRow(std::istream& in, const std::string& sourceName, std::size_t count,
                std::vector<ResultProblem>& problems, Parse parse, Separator separator = Separator::Blanks)
{
    LineReader lines(in);
    std::string line;
    while (lines.next(line)) {
        if (isBlankLine(line))
            continue;
        const std::size_t at = lines.lineNumber();
        const bool tabs = separator == Separator::Tabs;
        const auto items = tabs ? tabPieces(line) : blankPieces(line);
        if (items.size() != count) {
            addProblem(problems, sourceName, at,
                       "expected " + std::to_string(count) + (tabs ? " tab-separated fields" : " items") + ", found "
                           + std::to_string(items.size()));
            continue;
        }
        parse(items, at);
    }
}

// The rows forEachRow finds in a result table, marked opened: parse(items,
// lineNumber, rows) keeps a row in rows.rows or adds a problem to
// rows.problems.
template <typename Row, typename Parse>
ResultRows<Row> readRows(std::istream& in, const std::string& sourceName, std::size_t count, Parse parse,
                         Separator separator = Separator::Blanks)
{
    ResultRows<Row> rows;
    rows.opened = true;
    forEachRow(
        in, sourceName, count, rows.problems,
        [&](const std::vector<std::string_view>& items, std::size_t at) { parse(items, at, rows); }, separator);
    return rows;
}

// Sets the promoter boxes and the terminator sequence a gene or unit row
// carries from its fields.
template <typename Row>
void takeSignals(Row& row, std::string_view box35, std::string_view box10, std::string_view terminator)
{
    row.promoterBox35 = std::string(box35);
    row.promoterBox10 = std::string(box10);
    row.terminatorSequence = std::string(terminator);
}

// The problem list's entry for a file that cannot be opened.
ResultProblem cannotOpen(const std::string& path);

} // namespace meridan::genome::results::detail
