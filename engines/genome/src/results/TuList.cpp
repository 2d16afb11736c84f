#include "meridan/genome/results/TuList.h"

#include "ResultLines.h"

namespace meridan::genome::results {

using namespace detail;

namespace {

// "0012" -> 12, "00-1" -> -1: the operon number as the builder pads it.
std::optional<long> paddedNumber(std::string_view text)
{
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    if (text.empty() || text.find_first_of(".eE") != std::string_view::npos)
        return std::nullopt;
    return wholeNumber(text);
}

// synonym|PID|index; the index and PID are taken from the right, so a
// synonym holding "|" still reads.
std::optional<TuMember> member(std::string_view text)
{
    const std::size_t last = text.rfind('|');
    if (last == std::string_view::npos || last == 0)
        return std::nullopt;
    const std::size_t middle = text.rfind('|', last - 1);
    if (middle == std::string_view::npos)
        return std::nullopt;
    const auto index = wholeNumber(text.substr(last + 1));
    if (!index || *index < 0 || text.substr(last + 1).find_first_of(".eE") != std::string_view::npos)
        return std::nullopt;
    return TuMember{std::string(text.substr(0, middle)), std::string(text.substr(middle + 1, last - middle - 1)),
                    *index};
}

} // namespace

ResultRows<TuRow> readTuList(std::istream& in, const std::string& sourceName)
{
    return readRows<TuRow>(
        in, sourceName, 7,
        [&](const std::vector<std::string_view>& fields, std::size_t at, ResultRows<TuRow>& result) {
            TuRow row;
            row.line = at;
            row.genomeId = std::string(fields[0]);
            row.name = std::string(fields[1]);
            const std::size_t point = fields[1].find('.');
            const auto operon = point == std::string_view::npos ? std::nullopt : paddedNumber(fields[1].substr(0, point));
            const auto ordinal =
                point == std::string_view::npos ? std::nullopt : paddedNumber(fields[1].substr(point + 1));
            if (!operon || !ordinal || *ordinal < 0) {
                addProblem(result.problems, sourceName, at, "the unit name '" + row.name + "' is not <operon>.<ordinal>");
                return;
            }
            row.operonNumber = *operon;
            row.ordinal = *ordinal;
            if (fields[2] != "+" && fields[2] != "-") {
                addProblem(result.problems, sourceName, at, "the strand must be + or -");
                return;
            }
            row.strand = fields[2][0];
            bool membersOk = !fields[3].empty();
            std::size_t begin = 0;
            while (membersOk && begin <= fields[3].size()) {
                const std::size_t comma = std::min(fields[3].find(',', begin), fields[3].size());
                const auto m = member(fields[3].substr(begin, comma - begin));
                if (!m)
                    membersOk = false;
                else
                    row.members.push_back(*m);
                begin = comma + 1;
            }
            if (!membersOk) {
                addProblem(result.problems, sourceName, at, "a member is not synonym|PID|gene index");
                return;
            }
            takeSignals(row, fields[4], fields[5], fields[6]);
            result.rows.push_back(std::move(row));
        },
        Separator::Tabs);
}

} // namespace meridan::genome::results
