#include "ToolOptions.h"

#include "meridan/ethrin/TextFields.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace meridan::ethrin::tools {

ToolOptions::ToolOptions(int argc, char** argv, const std::vector<std::string>& known,
                         const std::vector<std::string>& repeatable)
{
    for (int i = 1; i < argc; i += 2) {
        const std::string word = argv[i];
        if (word.rfind("--", 0) != 0 || i + 1 >= argc)
            throw std::runtime_error("expected --name value, got \"" + word + "\"");
        const std::string name = word.substr(2);
        if (std::find(known.begin(), known.end(), name) == known.end())
            throw std::runtime_error("unknown option --" + name);
        if (has(name) && std::find(repeatable.begin(), repeatable.end(), name) == repeatable.end())
            throw std::runtime_error("--" + name + " given twice");
        values_.emplace(name, argv[i + 1]);
    }
}

std::string ToolOptions::text(const std::string& name) const
{
    const auto it = values_.find(name);
    if (it == values_.end())
        throw std::runtime_error("missing --" + name);
    return it->second;
}

std::string ToolOptions::text(const std::string& name, const std::string& fallback) const
{
    const auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

std::vector<std::string> ToolOptions::all(const std::string& name) const
{
    std::vector<std::string> out;
    const auto [from, to] = values_.equal_range(name);
    for (auto it = from; it != to; ++it)
        out.push_back(it->second);
    return out;
}

namespace {

// The option's value read by `read`, or the fallback when absent; throws
// "--name needs <what>" on a value `read` refuses.
template <typename Value, typename Read>
Value optionValue(const ToolOptions& options, const std::string& name, Value fallback, Read read, const char* what)
{
    if (!options.has(name))
        return fallback;
    const auto v = read(options.text(name));
    if (!v)
        throw std::runtime_error("--" + name + " needs " + what);
    return *v;
}

} // namespace

double ToolOptions::number(const std::string& name, double fallback) const
{
    return optionValue(*this, name, fallback, [](const std::string& t) { return toDouble(t); }, "a number");
}

long ToolOptions::whole(const std::string& name, long fallback) const
{
    return optionValue(*this, name, fallback, [](const std::string& t) { return toLong(t); }, "a whole number");
}

std::pair<long, long> ToolOptions::range(const std::string& name, long fallbackFrom, long fallbackTo) const
{
    const auto read = [](const std::string& t) -> std::optional<std::pair<long, long>> {
        const auto dash = t.find('-', 1);
        if (dash == std::string::npos)
            return std::nullopt;
        const auto from = toLong(t.substr(0, dash));
        const auto to = toLong(t.substr(dash + 1));
        if (!from || !to)
            return std::nullopt;
        return std::pair{*from, *to};
    };
    return optionValue(*this, name, std::pair{fallbackFrom, fallbackTo}, read, "FROM-TO");
}

std::vector<std::string> splitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        std::string part = text.substr(from, comma - from);
        while (!part.empty() && part.front() == ' ')
            part.erase(part.begin());
        while (!part.empty() && part.back() == ' ')
            part.pop_back();
        if (!part.empty())
            parts.push_back(part);
        from = comma + 1;
    }
    return parts;
}

} // namespace meridan::ethrin::tools
