#include "meridan/genome/results/PromoterTable.h"

#include "ResultLines.h"

namespace meridan::genome::results {

using namespace detail;

namespace {

// A box of bases: letters only (the library writes N for unknown bases).
bool boxText(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

} // namespace

long PromoterRow::spacer() const
{
    if (!twoBoxes())
        return 0;
    return end - start - static_cast<long>(firstBox.size() + secondBox.size());
}

ResultRows<PromoterRow> readPromoterTable(std::istream& in, const std::string& sourceName)
{
    return readRows<PromoterRow>(in, sourceName, 7, [&](const std::vector<std::string_view>& items, std::size_t at,
                                                ResultRows<PromoterRow>& result) {
        const auto score = finiteNumber(items[1]);
        const auto start = wholeNumber(items[2]);
        const auto end = wholeNumber(items[3]);
        if (!score || !start || !end) {
            addProblem(result.problems, sourceName, at, "score, start and end must be numbers");
            return;
        }
        PromoterRow row{at, std::string(items[0]), *score, *start, *end, std::string(items[4]),
                        std::string(items[6]), {}};
        if (!boxText(row.firstBox) || (row.twoBoxes() && !boxText(row.secondBox))) {
            addProblem(result.problems, sourceName, at, "the boxes must be bases");
            return;
        }
        const long boxes = static_cast<long>(row.firstBox.size() + (row.twoBoxes() ? row.secondBox.size() : 0));
        if (row.end - row.start < boxes || (!row.twoBoxes() && row.end - row.start != boxes)) {
            addProblem(result.problems, sourceName, at,
                       "start " + std::to_string(row.start) + " and end " + std::to_string(row.end) +
                           " do not fit the boxes");
            return;
        }
        row.text = joinedItems(items);
        result.rows.push_back(std::move(row));
    });
}

ResultRows<SigmaHit> readSigmaScores(std::istream& in, const std::string& sourceName)
{
    ResultRows<SigmaHit> result;
    result.opened = true;
    LineReader lines(in);
    std::string line;
    lines.next(line); // the header naming the columns
    while (lines.next(line)) {
        if (isBlankLine(line))
            continue;
        const std::size_t at = lines.lineNumber();
        const auto items = blankPieces(line);
        if (items.size() != 7 && items.size() != 10) {
            addProblem(result.problems, sourceName, at,
                       "expected 7 or 10 items, found " + std::to_string(items.size()));
            continue;
        }
        SigmaHit hit;
        hit.line = at;
        hit.synonym = std::string(items[0]);
        if (items[1] != "+" && items[1] != "-") {
            addProblem(result.problems, sourceName, at, "the strand must be + or -");
            continue;
        }
        hit.strand = items[1][0];
        const auto tss = wholeNumber(items[2]);
        const auto start = wholeNumber(items[3]);
        const auto score = finiteNumber(items[4]);
        const auto firstPos = wholeNumber(items[5]);
        hit.twoBoxes = items.size() == 10;
        const auto secondPos = hit.twoBoxes ? wholeNumber(items[7]) : std::optional<long>(0);
        const auto spacer = hit.twoBoxes ? wholeNumber(items[9]) : std::optional<long>(0);
        if (!tss || !start || !score || !firstPos || !secondPos || !spacer || !boxText(items[6]) ||
            (hit.twoBoxes && !boxText(items[8]))) {
            addProblem(result.problems, sourceName, at, "a number or a box is not readable");
            continue;
        }
        hit.tss = *tss;
        hit.start = *start;
        hit.score = *score;
        hit.firstBoxPosition = *firstPos;
        hit.firstBox = std::string(items[6]);
        if (hit.twoBoxes) {
            hit.secondBoxPosition = *secondPos;
            hit.secondBox = std::string(items[8]);
            hit.spacer = *spacer;
        }
        result.rows.push_back(std::move(hit));
    }
    return result;
}

} // namespace meridan::genome::results
