// Line and field handling shared by the result-file readers.
#pragma once

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

bool blankLine(std::string_view line);
std::vector<std::string_view> splitBlanks(std::string_view line);
std::vector<std::string_view> splitTabs(std::string_view line);

// The whole text as a whole number within +-1e12, or nothing. Exponent
// notation is accepted when it gives a whole number (1.5e+06).
std::optional<long> wholeNumber(std::string_view text);
// The whole text as a finite decimal number, or nothing.
std::optional<double> finiteNumber(std::string_view text);

// Appends the problem for line `line` of `file`.
void addProblem(std::vector<ResultProblem>& problems, const std::string& file, std::size_t line,
                std::string what);

// The problem list's entry for a file that cannot be opened.
ResultProblem cannotOpen(const std::string& path);

// Opens path and hands the stream to read; an unopenable path (or a folder)
// gives rows with opened = false and one problem.
template <typename Result, typename Read>
Result readPath(const std::string& path, Read read);

} // namespace meridan::genome::results::detail

#include "ResultLinesOpen.h"
