#include "meridan/genome/results/Summary.h"

#include "ResultLines.h"

namespace meridan::genome::results {

using namespace detail;

namespace {

// The numbers of a line that must read exactly like `words` with a number in
// place of every empty entry.
std::optional<std::vector<long>> numbersOf(std::string_view line, const std::vector<std::string_view>& words)
{
    const auto items = blankPieces(line);
    if (items.size() != words.size())
        return std::nullopt;
    std::vector<long> numbers;
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (words[k].empty()) {
            const auto n = wholeNumber(items[k]);
            if (!n)
                return std::nullopt;
            numbers.push_back(*n);
        } else if (items[k] != words[k]) {
            return std::nullopt;
        }
    }
    return numbers;
}

} // namespace

SummaryFile readSummary(std::istream& in, const std::string& sourceName)
{
    SummaryFile result;
    result.opened = true;
    const std::vector<std::vector<std::string_view>> expected{
        {"", "internal", "promoters,"},
        {"", "internal", "terminators,"},
        {"", "TUs", "including", "", "alternative", "ones."}};
    std::vector<long> numbers;
    LineReader lines(in);
    std::string line;
    std::size_t k = 0;
    while (k < expected.size() && lines.next(line)) {
        if (isBlankLine(line))
            continue;
        const auto found = numbersOf(line, expected[k]);
        if (!found) {
            addProblem(result.problems, sourceName, lines.lineNumber(),
                       "expected '" + std::string(k == 0 ? "N internal promoters," : k == 1 ? "N internal terminators,"
                                                                                 : "N TUs including M alternative ones.") +
                           "'");
            return result;
        }
        numbers.insert(numbers.end(), found->begin(), found->end());
        ++k;
    }
    if (k < expected.size()) {
        addProblem(result.problems, sourceName, lines.lineNumber(), "the summary ends before its third line");
        return result;
    }
    result.summary = Summary{numbers[0], numbers[1], numbers[2], numbers[3]};
    return result;
}

} // namespace meridan::genome::results
