// Splitting text into whitespace-delimited fields, as a stream's >> would,
// without depending on the process locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace meridan::terminator {

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline std::vector<std::string> splitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const std::size_t begin = pos;
        while (pos < line.size() && !isBlank(line[pos]))
            ++pos;
        if (pos > begin)
            fields.emplace_back(line.substr(begin, pos - begin));
    }
    return fields;
}

} // namespace meridan::terminator
