#include "meridan/genome/results/GeneTagFile.h"

#include "ResultLines.h"

#include <ostream>

namespace meridan::genome::results {

using namespace detail;

void writeGeneTagLine(std::ostream& out, double operonNumber, double sdPosition, double taPosition,
                      double terminatorPosition)
{
    out << operonNumber << "    " << sdPosition << "    " << taPosition << "    " << terminatorPosition << '\n';
}

ResultRows<GeneTagRow> readGeneTags(std::istream& in, const std::string& sourceName)
{
    ResultRows<GeneTagRow> result;
    result.opened = true;
    LineReader lines(in);
    std::string line;
    long geneIndex = 0;
    while (lines.next(line)) {
        if (isBlankLine(line))
            continue;
        const long index = geneIndex++;
        const auto items = blankPieces(line);
        if (items.size() != 4) {
            addProblem(result.problems, sourceName, lines.lineNumber(),
                       "expected 4 numbers, found " + std::to_string(items.size()) + " items");
            continue;
        }
        long values[4];
        bool ok = true;
        for (int k = 0; k < 4 && ok; ++k) {
            const auto value = wholeNumber(items[k]);
            if (!value) {
                addProblem(result.problems, sourceName, lines.lineNumber(),
                           "item " + std::to_string(k + 1) + " '" + std::string(items[k]) + "' is not a whole number");
                ok = false;
            } else {
                values[k] = *value;
            }
        }
        if (ok)
            result.rows.push_back({lines.lineNumber(), index, values[0], values[1], values[2], values[3]});
    }
    return result;
}

} // namespace meridan::genome::results
