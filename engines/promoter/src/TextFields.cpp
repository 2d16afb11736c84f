#include "meridan/ethrin/TextFields.h"

#include <charconv>
#include <cmath>

namespace meridan::ethrin {

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t from = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > from)
            words.push_back(line.substr(from, i - from));
    }
    return words;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::vector<std::string_view> fields;
    std::size_t from = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', from);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(from));
            return fields;
        }
        fields.push_back(line.substr(from, tab - from));
        from = tab + 1;
    }
}

namespace {

// Reads the whole text as one number: an optional sign ("+" only before a
// digit), nothing else around it.
template <typename Number>
std::optional<Number> parseWhole(std::string_view text)
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

std::optional<double> toDouble(std::string_view text)
{
    const std::optional<double> value = parseWhole<double>(text);
    if (value && !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<long> toLong(std::string_view text)
{
    return parseWhole<long>(text);
}

} // namespace meridan::ethrin
