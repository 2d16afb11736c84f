#include "meridan/genome/AnnotationTables.h"

#include "AnnotationText.h"

namespace meridan::genome {

namespace detail {

void applyCrossReferences(const std::vector<std::string>& references, AnnotatedGene& gene)
{
    std::string cogs;
    for (const std::string& reference : references) {
        if (reference.rfind("COG:", 0) == 0 && reference.size() > 4) {
            if (!cogs.empty())
                cogs += ',';
            cogs += reference.substr(4);
        } else if (gene.pid == "-" && reference.rfind("GI:", 0) == 0 && reference.size() > 3) {
            gene.pid = reference.substr(3);
        }
    }
    if (!cogs.empty())
        gene.cog = cogs;
}

} // namespace detail

namespace {

std::string word(const std::string& value)
{
    if (value.empty())
        return "-";
    std::string out = value;
    for (char& c : out)
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f')
            c = '_';
    return out;
}

std::string text(const std::string& value)
{
    if (value.empty())
        return "-";
    std::string out = value;
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

std::string table(const AnnotatedRecord& record, const std::vector<AnnotatedGene>& genes, const char* noun)
{
    // The title names the record, so that views and reports can tell records apart.
    const std::string title = record.description.empty() || record.description.rfind(record.id, 0) == 0
                                  ? (record.description.empty() ? record.id : record.description)
                                  : record.id + ' ' + record.description;
    std::string out = text(title) + " - 1.." + std::to_string(record.sequence.size()) + '\n';
    out += std::to_string(genes.size()) + ' ' + noun + '\n';
    out += "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";
    for (const AnnotatedGene& g : genes) {
        const std::int64_t low = g.spansOrigin() ? g.end : g.start;
        const std::int64_t high = g.spansOrigin() ? g.start : g.end;
        out += std::to_string(low) + ".." + std::to_string(high) + '\t' + g.strand + '\t' +
               std::to_string(g.length) + '\t' + word(g.pid) + '\t' + word(g.name) + '\t' + word(g.synonym) +
               "\t-\t" + word(g.cog) + '\t' + text(g.product) + '\n';
    }
    return out;
}

} // namespace

std::string proteinTableText(const AnnotatedRecord& record) { return table(record, record.proteins, "proteins"); }

std::string rnaTableText(const AnnotatedRecord& record) { return table(record, record.rnas, "RNAs"); }

std::string fastaText(const AnnotatedRecord& record)
{
    std::string out = '>' + record.id;
    if (!record.description.empty())
        out += ' ' + text(record.description);
    out += '\n';
    for (std::size_t i = 0; i < record.sequence.size(); i += 70)
        out.append(record.sequence, i, 70).push_back('\n');
    return out;
}

} // namespace meridan::genome
