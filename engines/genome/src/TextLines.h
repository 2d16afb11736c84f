// Line-by-line walking over a text in memory, for the annotation readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace meridan::genome::detail {

class TextLines {
public:
    explicit TextLines(std::string_view text, long firstLine = 1) : text_(text), number_(firstLine - 1) {}

    // The next line without its line break (and without a trailing '\r').
    bool next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    long number() const { return number_; }
    // The text after the current line.
    std::string_view rest() const { return pos_ >= text_.size() ? std::string_view() : text_.substr(pos_); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    long number_;
};

inline bool isSpace(char c) { return c == ' ' || c == '\t'; }

inline std::string_view trim(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// The first blank-delimited word and the trimmed rest.
inline std::pair<std::string_view, std::string_view> splitFirstWord(std::string_view s)
{
    s = trim(s);
    std::size_t end = 0;
    while (end < s.size() && !isSpace(s[end]))
        ++end;
    return {s.substr(0, end), trim(s.substr(end))};
}

inline std::vector<std::string_view> split(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t at = s.find(separator, begin);
        parts.push_back(s.substr(begin, at == std::string_view::npos ? std::string_view::npos : at - begin));
        if (at == std::string_view::npos)
            return parts;
        begin = at + 1;
    }
}

// The blank-delimited words of s.
inline std::vector<std::string_view> words(std::string_view s)
{
    std::vector<std::string_view> result;
    while (true) {
        auto [word, rest] = splitFirstWord(s);
        if (word.empty())
            return result;
        result.push_back(word);
        s = rest;
    }
}

// A whole non-negative decimal number; false for anything else or overflow.
inline bool parseCount(std::string_view s, std::int64_t& value)
{
    if (s.empty() || s.size() > 12)
        return false;
    value = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace meridan::genome::detail
