#include "terminator/NumberText.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

namespace meridan::terminator {

long long leadingInteger(std::string_view text)
{
    constexpr long long cap = 1'000'000'000'000LL;
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (value < cap)
            value = value * 10 + (text[pos] - '0');
    }
    if (value > cap)
        value = cap;
    return negative ? -value : value;
}

std::optional<double> parseFiniteNumber(const std::string& token)
{
    if (token.empty())
        return std::nullopt;
    // from_chars does not depend on the process locale, which a host
    // program may have changed.
    const char* begin = token.data();
    const char* end = token.data() + token.size();
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string defaultNotation(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

} // namespace meridan::terminator
