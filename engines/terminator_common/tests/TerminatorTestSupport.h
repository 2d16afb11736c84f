// Helpers for the terminator engine tests: a scratch folder that disappears
// with the test, small files, and synthetic genomes with gene tables.
#pragma once

#include "TestText.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace meridan::terminator::testsupport {

class ScratchDir {
public:
    ScratchDir()
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("meridan-term-" + std::to_string(random()));
        } while (std::filesystem::exists(path_));
        std::filesystem::create_directories(path_);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> readLines(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The three header lines of a PTT file.
inline std::string pttHeader(int genes)
{
    return "Synthetic genome, complete sequence - 1..0\n" + std::to_string(genes)
           + " proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";
}

struct TestGene {
    long long start;
    long long end;
    char strand;
    std::string synonym;
};

inline std::string pttText(const std::vector<TestGene>& genes)
{
    std::string text = pttHeader(static_cast<int>(genes.size()));
    for (const TestGene& gene : genes) {
        text += std::to_string(gene.start) + ".." + std::to_string(gene.end) + '\t' + gene.strand + '\t'
                + std::to_string((gene.end - gene.start + 1) / 3 - 1) + "\t-\t-\t" + gene.synonym
                + "\t-\t-\thypothetical protein\n";
    }
    return text;
}

inline std::string fastaText(const std::string& sequence, std::size_t width = 70)
{
    std::string text = ">synthetic test genome\n";
    for (std::size_t k = 0; k < sequence.size(); k += width)
        text += sequence.substr(k, width) + '\n';
    return text;
}

inline std::string randomBases(std::size_t length, std::mt19937& random)
{
    static const char bases[] = "ACGT";
    std::uniform_int_distribution<int> pick(0, 3);
    std::string text(length, 'A');
    for (char& c : text)
        c = bases[pick(random)];
    return text;
}

// A synthetic genome of genes on both strands, with a strong hairpin and a
// T-rich tail planted after every gene's 3' end, written as
// <dir>/NC_999999.fna and <dir>/NC_999999.ptt.
struct SyntheticGenome {
    std::filesystem::path fna;
    std::filesystem::path ptt;
    std::vector<TestGene> genes;
    std::string sequence;
};

using meridan::testtext::reverseComplement;

inline SyntheticGenome makeSyntheticGenome(const std::filesystem::path& dir, int geneCount = 40,
                                           unsigned seed = 7)
{
    std::mt19937 random(seed);
    const std::string terminator = "GCCCGCCTAATGAGCGGGCTTTTTTTT"; // stem 7, loop 6, tail
    SyntheticGenome genome;
    std::string sequence = randomBases(300, random);
    for (int g = 0; g < geneCount; ++g) {
        const char strand = (g % 5 == 3 || g % 5 == 4) ? '-' : '+';
        const std::string body = randomBases(600, random);
        const std::string spacer = randomBases(15, random);
        const std::string after = randomBases(40, random);
        TestGene gene;
        gene.strand = strand;
        gene.synonym = "SYN_" + std::to_string(g + 1);
        if (strand == '+') {
            gene.start = static_cast<long long>(sequence.size()) + 1;
            sequence += body;
            gene.end = static_cast<long long>(sequence.size());
            sequence += spacer + terminator + after;
        } else {
            sequence += after + reverseComplement(terminator) + spacer;
            gene.start = static_cast<long long>(sequence.size()) + 1;
            sequence += body;
            gene.end = static_cast<long long>(sequence.size());
        }
        genome.genes.push_back(gene);
    }
    sequence += randomBases(300, random);
    genome.sequence = sequence;
    genome.fna = dir / "NC_999999.fna";
    genome.ptt = dir / "NC_999999.ptt";
    writeText(genome.fna, fastaText(sequence));
    writeText(genome.ptt, pttText(genome.genes));
    return genome;
}

} // namespace meridan::terminator::testsupport
