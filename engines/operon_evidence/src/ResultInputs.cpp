#include "meridan/evidence/ResultInputs.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace meridan::evidence {

namespace {

std::ifstream openInput(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError("Can't open file " + path + " !");
    return in;
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        fields.push_back(field);
    return fields;
}

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

void chomp(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

[[noreturn]] void badRow(const std::string& path, int line, const std::string& why)
{
    throw InputError(path + ":" + std::to_string(line) + ": " + why);
}

long wholeNumber(const std::string& text, const std::string& path, int line, const char* what)
{
    long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last)
        badRow(path, line, std::string("unreadable ") + what + " \"" + text + "\"");
    return value;
}

double realNumber(const std::string& text, const std::string& path, int line, const char* what)
{
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    badRow(path, line, std::string("unreadable ") + what + " \"" + text + "\"");
}

std::string cogLetters(const std::string& column)
{
    // COG0527E -> E; COG0001H,COG0002K -> HK; "-" -> "".
    std::string letters;
    for (const std::string& entry : split(column, ','))
        if (entry.size() > 7 && entry.compare(0, 3, "COG") == 0)
            letters += entry.substr(7);
    return letters;
}

} // namespace

std::vector<TableGene> readGeneTable(const std::string& path)
{
    std::ifstream in = openInput(path);
    std::vector<TableGene> genes;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        chomp(line);
        if (number <= 3 || line.find_first_not_of(" \t") == std::string::npos)
            continue;
        const auto f = split(line, '\t');
        if (f.size() < 6)
            badRow(path, number, "fewer than 6 tab-separated columns");
        const auto dots = f[0].find("..");
        if (dots == std::string::npos)
            badRow(path, number, "location \"" + f[0] + "\" is not FROM..TO");
        TableGene g;
        g.start = wholeNumber(f[0].substr(0, dots), path, number, "location");
        g.end = wholeNumber(f[0].substr(dots + 2), path, number, "location");
        if (f[1] != "+" && f[1] != "-")
            badRow(path, number, "strand \"" + f[1] + "\" is neither + nor -");
        g.strand = f[1][0];
        g.synonym = f[5];
        g.cog = f.size() > 7 ? cogLetters(f[7]) : std::string();
        genes.push_back(std::move(g));
    }
    return genes;
}

std::vector<GeneTagLine> readGeneTags(const std::string& path)
{
    std::ifstream in = openInput(path);
    std::vector<GeneTagLine> tags;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        chomp(line);
        if (line.empty())
            continue;
        const auto end = line.find_first_of(" \t");
        GeneTagLine tag;
        tag.operon = wholeNumber(line.substr(0, end), path, number, "operon number");
        tag.rest = end == std::string::npos ? std::string() : line.substr(end);
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::vector<PromoterHit> readPromoterHits(const std::string& path)
{
    std::ifstream in = openInput(path);
    std::vector<PromoterHit> hits;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        chomp(line);
        const auto w = words(line);
        if (number == 1 || w.empty())
            continue; // header
        if (w.size() != 7 && w.size() != 10)
            badRow(path, number, "expected 7 or 10 columns, found " + std::to_string(w.size()));
        PromoterHit h;
        h.synonym = w[0];
        h.strand = w[1] == "-" ? '-' : '+';
        h.tss = wholeNumber(w[2], path, number, "transcription start");
        h.start = wholeNumber(w[3], path, number, "promoter start");
        h.score = realNumber(w[4], path, number, "score");
        // Box positions are the first base of each box in the gene's direction.
        const long firstBox = wholeNumber(w[5], path, number, "box position");
        const std::size_t lastBoxColumn = w.size() == 10 ? 7 : 5;
        const long lastBox = wholeNumber(w[lastBoxColumn], path, number, "box position");
        const long lastLength = long(w[lastBoxColumn + 1].size());
        h.from = h.strand == '+' ? firstBox : lastBox - lastLength + 1;
        h.to = h.strand == '+' ? lastBox + lastLength - 1 : firstBox;
        hits.push_back(std::move(h));
    }
    return hits;
}

std::vector<TerminatorRow> readTerminatorRows(const std::string& path)
{
    std::ifstream in = openInput(path);
    std::vector<TerminatorRow> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        chomp(line);
        const auto w = words(line);
        if (w.empty())
            continue;
        if (w.size() != 7)
            badRow(path, number, "expected 7 columns, found " + std::to_string(w.size()));
        TerminatorRow r;
        r.start = wholeNumber(w[0], path, number, "start");
        r.stem = wholeNumber(w[1], path, number, "stem");
        r.loop = wholeNumber(w[2], path, number, "loop");
        r.tail = wholeNumber(w[3], path, number, "tail");
        r.score = realNumber(w[4], path, number, "score");
        r.label = w[6];
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<std::vector<long>> readTuMembers(const std::string& path)
{
    std::ifstream in = openInput(path);
    std::vector<std::vector<long>> tus;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        chomp(line);
        if (line.empty())
            continue;
        const auto f = split(line, '\t');
        if (f.size() < 4)
            badRow(path, number, "fewer than 4 tab-separated columns");
        std::vector<long> members;
        for (const std::string& member : split(f[3], ',')) {
            if (member.empty())
                continue;
            const auto bar = member.rfind('|');
            members.push_back(wholeNumber(member.substr(bar == std::string::npos ? 0 : bar + 1), path, number,
                                          "gene index"));
        }
        tus.push_back(std::move(members));
    }
    return tus;
}

} // namespace meridan::evidence
