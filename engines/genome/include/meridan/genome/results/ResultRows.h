// What a reader of an engine result file hands back: the rows it could read,
// and one located problem for every line it had to leave out. A reader never
// stops at a bad line; a file that cannot be opened gives no rows and one
// problem with line 0.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace meridan::genome::results {

struct ResultProblem {
    std::string file;      // the name the reader was given for its input
    std::size_t line = 0;  // 1-based; 0 when the problem concerns the whole file
    std::string what;      // why the line was left out

    // "file:line: what", or "file: what" for line 0.
    std::string text() const;
};

template <typename Row> struct ResultRows {
    bool opened = false;                 // false when the file could not be opened
    std::vector<Row> rows;               // file order
    std::vector<ResultProblem> problems; // in line order

    bool clean() const { return opened && problems.empty(); }
};

// Problems are listed, not printed: this joins the first `limit` of them, one
// per line, followed by a count of the rest.
std::string describeProblems(const std::vector<ResultProblem>& problems, std::size_t limit = 20);

} // namespace meridan::genome::results
