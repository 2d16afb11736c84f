#include "meridan/genome/PttReader.h"

#include "OpenInput.h"

#include "meridan/genome/GeneTableFile.h"
#include "meridan/genome/TextFields.h"

#include <ostream>

namespace meridan::genome {

namespace {

constexpr std::size_t leadingColumns = 8; // Location … COG; Product follows

const std::string& columnOrEmpty(const std::vector<std::string>& columns, std::size_t k)
{
    static const std::string empty;
    return k < columns.size() ? columns[k] : empty;
}

GeneRecord recordFromColumns(const std::vector<std::string>& f)
{
    GeneRecord gene;
    gene.location = columnOrEmpty(f, column::location);
    const std::string& strand = columnOrEmpty(f, column::strand);
    gene.strand = strand.empty() ? ' ' : strand.front();
    gene.length = leadingInt(columnOrEmpty(f, column::length));
    gene.pid = columnOrEmpty(f, column::pid);
    gene.name = columnOrEmpty(f, column::gene);
    // Synonym and Code are not kept.
    gene.cog = columnOrEmpty(f, column::cog);
    return gene;
}

} // namespace

std::pair<std::int32_t, std::int32_t> parseLocation(const std::string& location)
{
    const auto [start, end] = locationTexts(location);
    return {leadingInt(start), leadingInt(end)};
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
    for (const GeneTableRow& row : parseGeneTableText(in).rows) {
        const std::size_t count = row.columns.size();
        if (count < leadingColumns && trace)
            *trace << sourceName << ":" << row.line << ": row has " << count << " of the "
                   << leadingColumns << " columns before Product; the missing ones are empty\n";
        table.genes.push_back(recordFromColumns(row.columns));
        if (trace && table.genes.back().location.find('.') == std::string::npos)
            *trace << sourceName << ":" << row.line << ": location \""
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
    return detail::readOpened(path, [&](std::istream& in) { return readGeneTable(in, trace, path); });
}

} // namespace meridan::genome
