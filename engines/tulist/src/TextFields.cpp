#include "brintel/TextFields.h"

#include <charconv>
#include <istream>
#include <limits>

namespace brintel {

namespace {
bool isSeparator(char c) { return c == ' ' || c == '\t'; }
const std::string kDash = "-";
} // namespace

std::vector<std::string> splitTokens(std::string_view line)
{
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isSeparator(line[pos]))
            ++pos;
        std::size_t end = pos;
        while (end < line.size() && !isSeparator(line[end]))
            ++end;
        if (end > pos)
            tokens.emplace_back(line.substr(pos, end - pos));
        pos = end;
    }
    return tokens;
}

std::vector<std::string> splitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

const std::string& itemOr(const std::vector<std::string>& items, std::size_t index)
{
    return index < items.size() ? items[index] : kDash;
}

int leadingInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isSeparator(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

double decimalValue(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isSeparator(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == '+')
        ++pos;
    std::string_view rest = text.substr(pos);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: an exponent with a minus sign
        // underflows to 0, anything else overflows to infinity.
        std::string_view number = rest.substr(0, static_cast<std::size_t>(ptr - rest.data()));
        std::size_t e = number.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-')
            return 0.0;
        return !rest.empty() && rest.front() == '-' ? -std::numeric_limits<double>::infinity()
                                                    : std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc())
        return 0.0;
    return value;
}

bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool isBlank(std::string_view line)
{
    for (char c : line)
        if (!isSeparator(c))
            return false;
    return true;
}

} // namespace brintel
