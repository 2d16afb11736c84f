// The location grammar of GenBank feature tables:
//   complement(L) | join(L,L,...) | order(L,L,...) | [<]a..[>]b | a | a^b | a.b
#include "meridan/genome/GenBankReader.h"

#include "TextLines.h"

#include <algorithm>

namespace meridan::genome {

namespace {

struct Part {
    LocationPart range;
    bool reverse = false;
};

class LocationParser {
public:
    explicit LocationParser(std::string_view text) : text_(text) {}

    bool parse(std::vector<Part>& parts, bool& openLeft, bool& openRight, std::string& problem)
    {
        if (!expression(parts, false, 0) || pos_ != text_.size()) {
            problem = problem_.empty() ? "unexpected text at \"" + std::string(text_.substr(std::min(pos_, text_.size()))) + "\"" : problem_;
            return false;
        }
        openLeft = openLeft_;
        openRight = openRight_;
        return true;
    }

private:
    bool take(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool number(std::int64_t& value)
    {
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (!detail::parseCount(text_.substr(begin, pos_ - begin), value) || value < 1) {
            problem_ = "a position is not a positive whole number";
            return false;
        }
        return true;
    }

    bool expression(std::vector<Part>& parts, bool reverse, int depth)
    {
        if (depth > 50) {
            problem_ = "location nested too deeply";
            return false;
        }
        if (take("complement(")) {
            std::vector<Part> inner;
            if (!expression(inner, !reverse, depth + 1) || !take(")"))
                return fail("complement( is not closed");
            parts.insert(parts.end(), inner.rbegin(), inner.rend());
            return true;
        }
        if (take("join(") || take("order(")) {
            do {
                if (!expression(parts, reverse, depth + 1))
                    return false;
            } while (take(","));
            return take(")") || fail("join( is not closed");
        }
        return range(parts, reverse);
    }

    bool range(std::vector<Part>& parts, bool reverse)
    {
        Part part;
        part.reverse = reverse;
        const bool openStart = take("<");
        if (pos_ < text_.size() && (text_[pos_] < '0' || text_[pos_] > '9'))
            return fail(text_.find(':') != std::string_view::npos ? "location refers to another record"
                                                                  : "unreadable location");
        if (!number(part.range.start))
            return false;
        part.range.end = part.range.start;
        bool openEnd = false;
        if (take("..")) {
            openEnd = take(">");
            if (!number(part.range.end))
                return false;
        } else if (take("^") || take(".")) {
            if (!number(part.range.end))
                return false;
            // A site between two bases, or one base of a range: the first base.
            part.range.end = part.range.start;
        } else if (take(">")) {
            openEnd = true;
        }
        if (part.range.end < part.range.start)
            return fail("a range ends before it starts");
        openLeft_ = openLeft_ || openStart;
        openRight_ = openRight_ || openEnd;
        parts.push_back(part);
        return true;
    }

    bool fail(const std::string& problem)
    {
        if (problem_.empty())
            problem_ = problem;
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool openLeft_ = false;
    bool openRight_ = false;
    std::string problem_;
};

} // namespace

bool parseFeatureLocation(std::string_view text, std::vector<LocationPart>& parts, char& strand,
                          bool& openThreePrime, std::string& problem)
{
    std::vector<Part> read;
    bool openLeft = false;
    bool openRight = false;
    std::string compact;
    for (const char c : text)
        if (c != ' ' && c != '\t')
            compact.push_back(c);
    if (!LocationParser(compact).parse(read, openLeft, openRight, problem))
        return false;
    if (read.empty()) {
        problem = "empty location";
        return false;
    }
    parts.clear();
    for (const Part& p : read)
        parts.push_back(p.range);
    strand = read.front().reverse ? '-' : '+';
    openThreePrime = strand == '+' ? openRight : openLeft;
    return true;
}

} // namespace meridan::genome
