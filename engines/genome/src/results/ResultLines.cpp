#include "ResultLines.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <istream>

namespace meridan::genome::results {

std::string ResultProblem::text() const
{
    if (line == 0)
        return file + ": " + what;
    return file + ":" + std::to_string(line) + ": " + what;
}

std::string describeProblems(const std::vector<ResultProblem>& problems, std::size_t limit)
{
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < limit; ++i)
        text += problems[i].text() + '\n';
    if (problems.size() > limit)
        text += "... and " + std::to_string(problems.size() - limit) + " more\n";
    return text;
}

namespace detail {

bool LineReader::next(std::string& line)
{
    if (!readLine(in_, line))
        return false;
    ++number_;
    return true;
}

namespace {
// text without a "+" that stands right before a digit or a point.
std::string_view withoutPlus(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && (std::isdigit(static_cast<unsigned char>(text[1])) || text[1] == '.'))
        text.remove_prefix(1);
    return text;
}
} // namespace

std::optional<double> finiteNumber(std::string_view text)
{
    text = withoutPlus(text);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long> wholeNumber(std::string_view text)
{
    constexpr double limit = 1e12;
    long value = 0;
    const std::string_view digits = withoutPlus(text);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (!digits.empty() && ec == std::errc() && end == digits.data() + digits.size())
        return std::abs(static_cast<double>(value)) <= limit ? std::optional<long>(value) : std::nullopt;
    const std::optional<double> real = finiteNumber(text);
    if (!real || std::abs(*real) > limit || std::floor(*real) != *real)
        return std::nullopt;
    return static_cast<long>(*real);
}

std::string joinedItems(const std::vector<std::string_view>& items)
{
    std::string text;
    for (std::string_view item : items) {
        if (!text.empty())
            text += ' ';
        text += item;
    }
    return text;
}

void addProblem(std::vector<ResultProblem>& problems, const std::string& file, std::size_t line,
                std::string what)
{
    problems.push_back({file, line, std::move(what)});
}

ResultProblem cannotOpen(const std::string& path)
{
    return {path, 0, "cannot open the file"};
}

} // namespace detail
} // namespace meridan::genome::results
