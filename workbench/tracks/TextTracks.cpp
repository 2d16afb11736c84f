#include "TextTracks.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

namespace meridan::tracks {

namespace {

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string f;
    while (in >> f)
        out.push_back(f);
    return out;
}

bool whole(const std::string& text, std::int64_t& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool real(const std::string& text, float& value)
{
    std::istringstream in(text);
    in >> value;
    return !in.fail() && in.eof();
}

// Lines that carry no data in any of the formats.
bool isHeader(const std::string& line)
{
    return line.empty() || line[0] == '#' || line.rfind("track", 0) == 0 || line.rfind("browser", 0) == 0;
}

// Reads line by line; `take` returns "" or why the line is wrong.
template <typename Take>
TextTrack readLines(const std::string& path, Take take)
{
    TextTrack out;
    out.forward = std::make_shared<IntervalSignal>();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.error = path + ": cannot be opened";
        return out;
    }
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (isHeader(line))
            continue;
        const std::string why = take(fields(line), line, out);
        if (!why.empty()) {
            out.error = path + ":" + std::to_string(number) + ": " + why;
            return out;
        }
    }
    out.forward->finish();
    if (out.reverse)
        out.reverse->finish();
    if (out.forward->empty() && (!out.reverse || out.reverse->empty()))
        out.error = path + ": no data lines";
    return out;
}

// Reads the interval formats (sequence, start, end, then more columns):
// a line needs `least` columns; `place` reads the rest of it into the interval
// and adds it to the track.
template <typename Place>
TextTrack readIntervals(const std::string& path, std::size_t least, const char* expected, Place place)
{
    return readLines(path, [=](const std::vector<std::string>& f, const std::string&, TextTrack& out) -> std::string {
        if (f.size() < least)
            return expected;
        Interval i;
        if (!whole(f[1], i.start) || !whole(f[2], i.end))
            return "start and end must be whole numbers";
        if (i.start < 0 || i.end <= i.start)
            return "the end must lie after the start, both from 0";
        return place(f, i, out);
    });
}

} // namespace

TextTrack readBedGraph(const std::string& path)
{
    return readIntervals(path, 4, "expected sequence, start, end and value",
                         [](const std::vector<std::string>& f, Interval& i, TextTrack& out) -> std::string {
        if (!real(f[3], i.value))
            return "the value \"" + f[3] + "\" is not a number";
        out.forward->add(f[0], i);
        return {};
    });
}

TextTrack readBed(const std::string& path)
{
    return readIntervals(path, 3, "expected sequence, start and end",
                         [](const std::vector<std::string>& f, Interval& i, TextTrack& out) -> std::string {
        i.value = 1;
        if (f.size() >= 5 && f[4] != "." && !real(f[4], i.value))
            return "the score \"" + f[4] + "\" is not a number";
        if (f.size() >= 6 && f[5] == "-") {
            if (!out.reverse)
                out.reverse = std::make_shared<IntervalSignal>();
            out.reverse->add(f[0], i);
        } else {
            out.forward->add(f[0], i);
        }
        return {};
    });
}

TextTrack readWig(const std::string& path)
{
    // The current declaration: fixedStep (start, step) or variableStep, with span.
    struct State {
        bool declared = false;
        bool fixed = false;
        std::string sequence;
        std::int64_t next = 0;   // 0-based start of the next fixedStep value
        std::int64_t step = 1;
        std::int64_t span = 1;
    };
    auto state = std::make_shared<State>();
    return readLines(path, [state](const std::vector<std::string>& f, const std::string&, TextTrack& out) -> std::string {
        State& s = *state;
        if (f[0] == "fixedStep" || f[0] == "variableStep") {
            s = State();
            s.declared = true;
            s.fixed = f[0] == "fixedStep";
            for (size_t k = 1; k < f.size(); ++k) {
                const auto eq = f[k].find('=');
                if (eq == std::string::npos)
                    return "\"" + f[k] + "\" is not key=value";
                const std::string key = f[k].substr(0, eq);
                const std::string value = f[k].substr(eq + 1);
                std::int64_t n = 0;
                if (key == "chrom")
                    s.sequence = value;
                else if (!whole(value, n) || n < 1)
                    return key + " must be a positive whole number";
                else if (key == "start")
                    s.next = n - 1;
                else if (key == "step")
                    s.step = n;
                else if (key == "span")
                    s.span = n;
            }
            if (s.sequence.empty())
                return "the declaration names no chrom";
            return {};
        }
        if (!s.declared)
            return "data before any fixedStep or variableStep line";
        Interval i;
        if (s.fixed) {
            if (f.size() != 1 || !real(f[0], i.value))
                return "expected one value of the fixedStep section";
            i.start = s.next;
            s.next += s.step;
        } else {
            std::int64_t position = 0;
            if (f.size() != 2 || !whole(f[0], position) || position < 1 || !real(f[1], i.value))
                return "expected a position (from 1) and a value";
            i.start = position - 1;
        }
        i.end = i.start + s.span;
        out.forward->add(s.sequence, i);
        return {};
    });
}

} // namespace meridan::tracks
