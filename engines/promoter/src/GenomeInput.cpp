#include "meridan/ethrin/GenomeInput.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/Nucleotides.h"
#include "meridan/genome/SequenceRecords.h"
#include "meridan/genome/GeneTableFile.h"
#include "meridan/genome/TextFields.h"

#include <fstream>
#include <istream>
#include <iterator>

namespace meridan::ethrin {

Genome parseGenome(std::istream& in, const std::string& sourceName)
{
    const std::string text(std::istreambuf_iterator<char>(in), {});
    const auto records = genome::parseSequenceRecords(text, sourceName);
    if (!records)
        throw InputError(records.error);
    Genome result;
    if (records.value->empty())
        return result;
    const std::string& sequence = records.value->front().sequence;
    result.codes.reserve(sequence.size());
    for (const char c : sequence)
        result.codes.push_back(baseCode(c));
    result.moreRecords = records.value->size() > 1;
    return result;
}

Genome readGenome(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError(genome::cantOpenMessage(path));
    Genome result = parseGenome(in, path);
    if (in.bad())
        throw InputError(path + ": read error");
    return result;
}

void parseGeneTable(std::istream& in, const std::string& fileName, long genomeLength, GeneTableRead& into)
{
    const genome::GeneTableText table = genome::parseGeneTableText(in);
    if (in.bad())
        throw InputError(fileName + ": read error");
    const auto skip = [&](long line, const std::string& why) {
        into.problems.push_back(fileName + ":" + std::to_string(line) + ": " + why + "; row skipped");
    };
    // Rows in file order, the unusable ones reported where they stand.
    std::size_t next = 0;
    for (const genome::GeneTableRow& row : table.rows) {
        for (; next < table.unusable.size() && table.unusable[next].line < row.line; ++next)
            skip(table.unusable[next].line, genome::rowProblem(table.unusable[next]));
        const genome::Span span = *genome::parseSpan(row.columns[genome::column::location]);
        GeneRow gene;
        gene.strand = row.columns[genome::column::strand][0];
        gene.left = span.start;
        gene.right = span.end;
        gene.startCodon = gene.strand == '+' ? span.start : span.end;
        if (gene.startCodon < 1 || gene.startCodon > genomeLength) {
            skip(row.line, "start codon " + std::to_string(gene.startCodon) + " lies outside the genome (1.."
                               + std::to_string(genomeLength) + ")");
            continue;
        }
        const std::string_view synonym = genome::trimmed(row.columns[genome::column::synonym]);
        // The score files are read as blank-separated columns: a blank inside
        // the synonym would shift every later column.
        gene.synonym = synonym.empty() ? "-" : std::string(synonym);
        for (char& c : gene.synonym)
            if (c == ' ' || c == '\t')
                c = '_';
        into.genes.push_back(std::move(gene));
    }
    for (; next < table.unusable.size(); ++next)
        skip(table.unusable[next].line, genome::rowProblem(table.unusable[next]));
}

void readGeneTable(const std::string& path, long genomeLength, GeneTableRead& into)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError(genome::cantOpenMessage(path));
    parseGeneTable(in, path, genomeLength, into);
}

} // namespace meridan::ethrin
