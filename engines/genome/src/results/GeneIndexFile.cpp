#include "meridan/genome/results/GeneIndexFile.h"

#include "ResultLines.h"

namespace meridan::genome::results {

using namespace detail;

namespace {

// "-" for none; otherwise the number, or nothing at all when it is neither.
bool optionalNumber(std::string_view text, std::optional<double>& value)
{
    value.reset();
    if (text == "-")
        return true;
    value = finiteNumber(text);
    return value.has_value();
}

// "from..to" with both numbers at least 1.
bool location(std::string_view text, long& from, long& to)
{
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos)
        return false;
    const auto a = wholeNumber(text.substr(0, dots));
    const auto b = wholeNumber(text.substr(dots + 2));
    if (!a || !b || *a < 1 || *b < 1 || text.substr(0, dots).find_first_of(".eE") != std::string_view::npos ||
        text.substr(dots + 2).find_first_of(".eE") != std::string_view::npos)
        return false;
    from = *a;
    to = *b;
    return true;
}

} // namespace

ResultRows<GeneIndexRow> readGeneIndex(std::istream& in, const std::string& sourceName)
{
    ResultRows<GeneIndexRow> result;
    result.opened = true;
    LineReader lines(in);
    std::string line;
    while (lines.next(line)) {
        if (isBlankLine(line) || (lines.lineNumber() == 1 && line.rfind("gene_index", 0) == 0))
            continue;
        const std::size_t at = lines.lineNumber();
        const auto f = tabPieces(line);
        if (f.size() != 18) {
            addProblem(result.problems, sourceName, at,
                       "expected 18 tab-separated fields, found " + std::to_string(f.size()));
            continue;
        }
        GeneIndexRow row;
        row.line = at;
        const auto index = wholeNumber(f[0]);
        const auto operon = wholeNumber(f[2]);
        if (!index || *index < 0 || !operon) {
            addProblem(result.problems, sourceName, at, "the gene index and the operon number must be numbers");
            continue;
        }
        row.geneIndex = *index;
        row.operonNumber = *operon;
        row.synonym = std::string(f[1]);
        row.location = std::string(f[3]);
        if (!location(f[3], row.from, row.to)) {
            addProblem(result.problems, sourceName, at, "the location '" + row.location + "' is not from..to");
            continue;
        }
        if (f[4] != "+" && f[4] != "-") {
            addProblem(result.problems, sourceName, at, "the strand must be + or -");
            continue;
        }
        row.strand = f[4][0];
        row.pid = std::string(f[5]);
        row.name = std::string(f[6]);
        row.cog = std::string(f[7]);
        row.product = std::string(f[8]);
        if (!optionalNumber(f[9], row.promoterScore) || !optionalNumber(f[15], row.terminatorScore)) {
            addProblem(result.problems, sourceName, at, "a score is neither a number nor '-'");
            continue;
        }
        takeSignals(row, f[12], f[14], f[17]);
        result.rows.push_back(std::move(row));
    }
    return result;
}

} // namespace meridan::genome::results
