#include "meridan/ethrin/GenomeInput.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/Nucleotides.h"
#include "meridan/ethrin/TextFields.h"

#include <fstream>
#include <array>

namespace meridan::ethrin {

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool parseLocation(std::string_view text, long& first, long& second)
{
    const auto dots = text.find("..");
    if (dots == std::string_view::npos)
        return false;
    const auto a = toLong(text.substr(0, dots));
    const auto b = toLong(text.substr(dots + 2));
    if (!a || !b)
        return false;
    first = *a;
    second = *b;
    return true;
}

} // namespace

Genome parseGenome(std::istream& in)
{
    std::string text;
    std::array<char, 1 << 16> buffer;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    Genome genome;
    genome.codes.reserve(text.size());
    std::size_t i = 0;
    if (!text.empty() && text[0] == '>') {
        i = text.find('\n');
        i = i == std::string::npos ? text.size() : i + 1;
    }
    bool lineStart = true;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            lineStart = true;
            continue;
        }
        if (lineStart && c == '>') {
            genome.moreRecords = true;
            break;
        }
        lineStart = false;
        if (c == ' ' || c == '\t' || c == '\r')
            continue;
        genome.codes.push_back(baseCode(c));
    }
    return genome;
}

Genome readGenome(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError("Can't open file " + path + " !");
    Genome genome = parseGenome(in);
    if (in.bad())
        throw InputError(path + ": read error");
    return genome;
}

void parseGeneTable(std::istream& in, const std::string& fileName, long genomeLength, GeneTableRead& into)
{
    std::string line;
    int number = 0;
    const auto skip = [&](const std::string& why) {
        into.problems.push_back(fileName + ":" + std::to_string(number) + ": " + why + "; row skipped");
    };
    while (std::getline(in, line)) {
        ++number;
        if (number <= 3 || trimmed(line).empty())
            continue; // title, count and column-header lines; blank lines
        auto fields = splitTabs(line);
        if (fields.size() < 6)
            fields = splitWords(line);
        if (fields.size() < 6) {
            skip("fewer than 6 columns (Location, Strand, Length, PID, Gene, Synonym)");
            continue;
        }
        GeneRow row;
        long first = 0;
        long second = 0;
        const std::string_view location = trimmed(fields[0]);
        if (!parseLocation(location, first, second)) {
            skip("location \"" + std::string(location) + "\" is not start..end");
            continue;
        }
        const std::string_view strand = trimmed(fields[1]);
        if (strand != "+" && strand != "-") {
            skip("strand \"" + std::string(strand) + "\" is neither + nor -");
            continue;
        }
        row.strand = strand[0];
        row.left = first;
        row.right = second;
        row.startCodon = row.strand == '+' ? first : second;
        if (row.startCodon < 1 || row.startCodon > genomeLength) {
            skip("start codon " + std::to_string(row.startCodon) + " lies outside the genome (1.."
                 + std::to_string(genomeLength) + ")");
            continue;
        }
        const std::string_view synonym = trimmed(fields[5]);
        // The score files are read as blank-separated columns: a blank inside
        // the synonym would shift every later column.
        row.synonym = synonym.empty() ? "-" : std::string(synonym);
        for (char& c : row.synonym)
            if (c == ' ' || c == '\t')
                c = '_';
        into.genes.push_back(std::move(row));
    }
    if (in.bad())
        throw InputError(fileName + ": read error");
}

void readGeneTable(const std::string& path, long genomeLength, GeneTableRead& into)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError("Can't open file " + path + " !");
    parseGeneTable(in, path, genomeLength, into);
}

} // namespace meridan::ethrin
