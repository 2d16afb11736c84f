#include "meridan/genome/TextFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <locale>
#include <sstream>

namespace meridan::genome {

bool isBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isBlankLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), isBlankChar);
}

std::string_view trimmed(std::string_view line)
{
    while (!line.empty() && isBlankChar(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlankChar(line.back()))
        line.remove_suffix(1);
    return line;
}

std::vector<std::string_view> blankPieces(std::string_view line)
{
    std::vector<std::string_view> pieces;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlankChar(line[i]))
            ++i;
        const std::size_t from = i;
        while (i < line.size() && !isBlankChar(line[i]))
            ++i;
        if (i > from)
            pieces.push_back(line.substr(from, i - from));
    }
    return pieces;
}

std::vector<std::string> splitBlanks(std::string_view line)
{
    const auto pieces = blankPieces(line);
    return {pieces.begin(), pieces.end()};
}

namespace {

std::vector<std::string_view> piecesAt(std::string_view line, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = line.find(separator, from);
        if (at == std::string_view::npos) {
            pieces.push_back(line.substr(from));
            return pieces;
        }
        pieces.push_back(line.substr(from, at - from));
        from = at + 1;
    }
}

} // namespace

std::vector<std::string_view> tabPieces(std::string_view line) { return piecesAt(line, '\t'); }

std::vector<std::string> splitAt(std::string_view text, char separator)
{
    const auto pieces = piecesAt(text, separator);
    return {pieces.begin(), pieces.end()};
}

std::vector<std::string> splitTabs(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const auto pieces = tabPieces(line);
    return {pieces.begin(), pieces.end()};
}

bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

long long leadingInteger(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = std::min(value * 10 + (text[pos] - '0'), kNumberLimit);
    return negative ? -value : value;
}

int leadingInt(std::string_view text)
{
    const long long value = leadingInteger(text);
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

namespace {

// The whole text as one number of the given type: an optional sign ("+"
// only before a digit), nothing else around it.
template <typename Number> std::optional<Number> parseWhole(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return std::nullopt;
    }
    Number value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<long> parseInteger(std::string_view text)
{
    const std::optional<long> value = parseWhole<long>(text);
    if (value && (*value > kNumberLimit || *value < -kNumberLimit))
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text)
{
    const std::optional<double> value = parseWhole<double>(text);
    if (value && !std::isfinite(*value))
        return std::nullopt;
    return value;
}

double leadingNumber(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    if (pos < text.size() && text[pos] == '+')
        ++pos;
    const std::string_view rest = text.substr(pos);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: an exponent with a minus sign
        // underflows to 0, anything else overflows to infinity.
        const std::string_view number = rest.substr(0, static_cast<std::size_t>(ptr - rest.data()));
        const std::size_t e = number.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-')
            return 0.0;
        return !rest.empty() && rest.front() == '-' ? -std::numeric_limits<double>::infinity()
                                                    : std::numeric_limits<double>::infinity();
    }
    return ec == std::errc() ? value : 0.0;
}

std::string defaultNotation(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

} // namespace meridan::genome
