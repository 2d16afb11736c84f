#include "meridan/panel/PanelGenes.h"

#include "meridan/genome/FnaReader.h"
#include "meridan/genome/GenomeFile.h"
#include "meridan/genome/PttReader.h"
#include "meridan/panel/Translation.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace meridan::panel {

namespace {

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool isProteinTable(const std::string& path)
{
    std::string name = std::filesystem::path(path).filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return endsWith(name, ".ptt") || endsWith(name, ".ptt.gz") || endsWith(name, ".ano");
}

struct Cds {
    int record;
    std::int64_t start, end;
    char strand;
    std::string coding;
};

// Translates every coding sequence with the genetic code the genome uses.
void translateAll(std::vector<Cds>& cds, PanelGenome& out)
{
    std::vector<std::string> coding;
    coding.reserve(cds.size());
    for (const auto& c : cds)
        coding.push_back(c.coding);
    const GeneticCode code = detectGeneticCode(coding);
    for (auto& c : cds) {
        PanelGene g;
        g.record = c.record;
        g.start = c.start;
        g.end = c.end;
        g.strand = c.strand;
        g.protein = translate(c.coding, code);
        out.genes.push_back(std::move(g));
    }
    std::stable_sort(out.genes.begin(), out.genes.end(), [](const PanelGene& a, const PanelGene& b) {
        return a.record != b.record ? a.record < b.record : a.start < b.start;
    });
}

bool readFromTable(const std::string& fasta, const std::string& table, PanelGenome& out, std::string& error)
{
    const auto sequence = genome::readGenomeSequence(fasta);
    if (!sequence) {
        error = sequence.error;
        return false;
    }
    const auto genes = genome::readGeneTable(table);
    if (!genes) {
        error = genes.error;
        return false;
    }
    std::vector<Cds> cds;
    for (const auto& g : genes.value->genes)
        if (g.strand == '+' || g.strand == '-')
            cds.push_back({0, g.start, g.end, g.strand, codingSequence(sequence.value->sequence, g.start, g.end, g.strand)});
    out.sequenceHash = sequenceHash({sequence.value->sequence});
    translateAll(cds, out);
    return true;
}

} // namespace

std::uint64_t sequenceHash(const std::vector<std::string>& sequences)
{
    // FNV-1a of every sequence, combined so that the record order does not matter.
    std::uint64_t combined = 0;
    for (const auto& s : sequences) {
        std::uint64_t h = 1469598103934665603ULL;
        for (unsigned char c : s) {
            h ^= c;
            h *= 1099511628211ULL;
        }
        combined += h * 0x9E3779B97F4A7C15ULL;
    }
    return combined;
}

std::string hashText(std::uint64_t hash)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool readPanelGenome(const std::vector<std::string>& sources, PanelGenome& out, std::string& error)
{
    out.sources = sources;
    if (sources.empty() || sources.size() > 2) {
        error = "a genome is one annotation file, or a FASTA file and its annotation";
        return false;
    }
    if (sources.size() == 2 && isProteinTable(sources[1]))
        return readFromTable(sources[0], sources[1], out, error);
    const auto genome = sources.size() == 1 ? genome::readAnnotatedGenome(sources[0])
                                            : genome::readAnnotatedGenome(sources[0], sources[1],
                                                                          genome::MissingSequence::LeaveOut);
    if (!genome) {
        error = genome.error;
        return false;
    }
    std::vector<Cds> cds;
    std::vector<std::string> sequences;
    for (std::size_t r = 0; r < genome.value->records.size(); ++r) {
        const auto& record = genome.value->records[r];
        sequences.push_back(record.sequence);
        for (const auto& g : record.proteins)
            cds.push_back({int(r), g.start, g.end, g.strand, codingSequence(record.sequence, g.start, g.end, g.strand)});
    }
    out.sequenceHash = sequenceHash(sequences);
    translateAll(cds, out);
    return true;
}

} // namespace meridan::panel
