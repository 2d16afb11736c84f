#include "meridan/evidence/ResultInputs.h"

#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/PromoterTable.h"
#include "meridan/genome/results/TerminatorTable.h"
#include "meridan/genome/results/TuList.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace meridan::evidence {

std::ifstream openInput(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError("Can't open file " + path + " !");
    return in;
}

namespace {

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        fields.push_back(field);
    return fields;
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
        g.product = f.size() > 8 ? f[8] : std::string();
        g.name = f[4] == "-" ? std::string() : f[4];
        genes.push_back(std::move(g));
    }
    return genes;
}

namespace {

// The rows of a result reader, or InputError with its first problems.
template <typename Row> std::vector<Row> cleanRows(genome::results::ResultRows<Row> read)
{
    if (!read.problems.empty())
        throw InputError(genome::results::describeProblems(read.problems, 5));
    return std::move(read.rows);
}

} // namespace

std::vector<GeneTagLine> readGeneTags(const std::string& path)
{
    std::vector<GeneTagLine> tags;
    for (const auto& row : cleanRows(genome::results::readGeneTagFile(path)))
        tags.push_back({row.operonNumber, row.sdPosition, row.taPosition, row.terminatorPosition});
    return tags;
}

std::vector<PromoterHit> readPromoterHits(const std::string& path)
{
    std::vector<PromoterHit> hits;
    for (const auto& row : cleanRows(genome::results::readSigmaScoreFile(path))) {
        PromoterHit h;
        h.synonym = row.synonym;
        h.strand = row.strand;
        h.tss = row.tss;
        h.start = row.start;
        h.score = row.score;
        // Box positions are the first base of each box in the gene's direction.
        const long lastBox = row.twoBoxes ? row.secondBoxPosition : row.firstBoxPosition;
        const long lastLength = long((row.twoBoxes ? row.secondBox : row.firstBox).size());
        h.from = h.strand == '+' ? row.firstBoxPosition : lastBox - lastLength + 1;
        h.to = h.strand == '+' ? lastBox + lastLength - 1 : row.firstBoxPosition;
        hits.push_back(std::move(h));
    }
    return hits;
}

std::vector<TerminatorRow> readTerminatorRows(const std::string& path)
{
    std::vector<TerminatorRow> rows;
    for (const auto& row : cleanRows(genome::results::readTerminatorTableFile(path)))
        rows.push_back({row.start, row.stem, row.loop, row.tail, row.score, row.label});
    return rows;
}

std::vector<std::vector<long>> readTuMembers(const std::string& path)
{
    std::vector<std::vector<long>> tus;
    for (const auto& row : cleanRows(genome::results::readTuListFile(path))) {
        std::vector<long> members;
        for (const auto& m : row.members)
            members.push_back(m.geneIndex);
        tus.push_back(std::move(members));
    }
    return tus;
}

} // namespace meridan::evidence
