// Reading rows of the terminator score table back, checking their layout.
#pragma once

#include <charconv>
#include <optional>
#include <string>

namespace meridan::dovrane::testsupport {

struct ScoreRow {
    int start = 0, stem = 0, loop = 0, tail = 0;
    double score = 0;
    std::string sequence;
    std::string label;
};

inline std::optional<int> fixedInt(const std::string& line, std::size_t from, std::size_t width)
{
    const std::string field = line.substr(from, width);
    const std::size_t digits = field.find_first_not_of(' ');
    if (digits == std::string::npos || field.back() == ' ')
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(field.data() + digits, field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

// One line without its line break; nothing when it does not have the layout
// start(5) stem(10) loop(10) tail(10) score(20) \t\t sequence \t label.
inline std::optional<ScoreRow> parseScoreRow(const std::string& line)
{
    if (line.size() < 59 || line.compare(55, 2, "\t\t") != 0)
        return std::nullopt;
    ScoreRow row;
    const auto start = fixedInt(line, 0, 5);
    const auto stem = fixedInt(line, 5, 10);
    const auto loop = fixedInt(line, 15, 10);
    const auto tail = fixedInt(line, 25, 10);
    if (!start || !stem || !loop || !tail)
        return std::nullopt;
    const std::string scoreField = line.substr(35, 20);
    const std::size_t first = scoreField.find_first_not_of(' ');
    if (first == std::string::npos || scoreField.back() == ' ')
        return std::nullopt;
    try {
        row.score = std::stod(scoreField.substr(first));
    } catch (...) {
        return std::nullopt;
    }
    const std::size_t tab = line.find('\t', 57);
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos)
        return std::nullopt;
    row.start = *start;
    row.stem = *stem;
    row.loop = *loop;
    row.tail = *tail;
    row.sequence = line.substr(57, tab - 57);
    row.label = line.substr(tab + 1);
    if (static_cast<int>(row.sequence.size()) != row.stem * 2 + row.loop + row.tail || row.label.empty())
        return std::nullopt;
    return row;
}

} // namespace meridan::dovrane::testsupport
