#include "meridan/genome/PttReader.h"

#include "OpenInput.h"
#include "meridan/genome/NumberText.h"

#include <array>
#include <istream>
#include <ostream>
#include <string_view>

namespace meridan::genome {

namespace {

constexpr int headerLines = 3;
constexpr std::size_t leadingColumns = 8; // Location … COG; Product follows

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Splits off up to max whitespace-delimited fields of line.
std::size_t splitFields(std::string_view line, std::array<std::string_view, leadingColumns>& out)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < out.size()) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos == line.size())
            break;
        const std::size_t begin = pos;
        while (pos < line.size() && !isBlank(line[pos]))
            ++pos;
        out[count++] = line.substr(begin, pos - begin);
    }
    return count;
}

GeneRecord recordFromFields(const std::array<std::string_view, leadingColumns>& f)
{
    GeneRecord gene;
    gene.location = std::string(f[0]);
    gene.strand = f[1].empty() ? ' ' : f[1].front();
    gene.length = parseLeadingInt(f[2]);
    gene.pid = std::string(f[3]);
    gene.name = std::string(f[4]);
    // f[5] Synonym and f[6] Code are not kept.
    gene.cog = std::string(f[7]);
    return gene;
}

} // namespace

std::pair<std::int32_t, std::int32_t> parseLocation(const std::string& location)
{
    const std::size_t k = location.find('.');
    if (k == std::string::npos)
        return {parseLeadingInt(location), 0};
    const std::string_view text(location);
    const std::int32_t start = parseLeadingInt(text.substr(0, k));
    const std::int32_t end = k + 2 <= text.size() ? parseLeadingInt(text.substr(k + 2)) : 0;
    return {start, end};
}

std::string convertCog(const std::string& column)
{
    if (column == "-")
        return column;
    std::string letters;
    std::size_t begin = 0;
    while (true) {
        const std::size_t comma = column.find(',', begin);
        const std::size_t end = comma == std::string::npos ? column.size() : comma;
        if (end - begin > 7)
            letters.append(column, begin + 7, end - begin - 7);
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    return letters;
}

GeneTable readGeneTable(std::istream& in, std::ostream* trace, const std::string& sourceName)
{
    GeneTable table;
    std::string line;
    long lineNumber = 0;
    for (int i = 0; i < headerLines && std::getline(in, line); ++i)
        ++lineNumber;

    std::array<std::string_view, leadingColumns> fields;
    while (std::getline(in, line)) {
        ++lineNumber;
        fields.fill(std::string_view());
        const std::size_t count = splitFields(line, fields);
        if (count == 0)
            continue;
        if (count < leadingColumns && trace)
            *trace << sourceName << ":" << lineNumber << ": row has " << count << " of the "
                   << leadingColumns << " columns before Product; the missing ones are empty\n";
        table.genes.push_back(recordFromFields(fields));
        if (trace && table.genes.back().location.find('.') == std::string::npos)
            *trace << sourceName << ":" << lineNumber << ": location \""
                   << table.genes.back().location << "\" is not of the form start..end\n";
    }

    for (GeneRecord& gene : table.genes) {
        const auto [start, end] = parseLocation(gene.location);
        gene.start = start;
        gene.end = end;
    }
    // A first gene ending beyond 10000 is taken to run across the origin:
    // its coordinates are stored exchanged.
    if (!table.genes.empty() && table.genes.front().end > 10000)
        std::swap(table.genes.front().start, table.genes.front().end);

    table.geneCount = static_cast<std::int32_t>(table.genes.size());
    for (GeneRecord& gene : table.genes) {
        gene.cog = convertCog(gene.cog);
        if (trace)
            *trace << "stop\nstop1\n";
    }
    if (trace)
        *trace << "geneSize= " << table.geneCount << '\n';
    return table;
}

ReadResult<GeneTable> readGeneTable(const std::string& path, std::ostream* trace)
{
    std::ifstream in;
    if (!detail::openInput(path, in))
        return ReadResult<GeneTable>::failure(cantOpenMessage(path));
    return ReadResult<GeneTable>::success(readGeneTable(in, trace, path));
}

} // namespace meridan::genome
