#include "EthrinTestSupport.h"

#include "meridan/ethrin/Nucleotides.h"
#include "meridan/ethrin/TextFields.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace ethrin_test {

std::string randomBases(std::size_t length, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::string s(length, 'A');
    for (char& c : s)
        c = "ACGT"[random() >> 62];
    return s;
}


std::vector<std::uint8_t> codes(const std::string& bases)
{
    std::vector<std::uint8_t> out;
    for (char c : bases)
        out.push_back(meridan::ethrin::baseCode(c));
    return out;
}

void plant(std::string& genome, long at, const std::string& text)
{
    genome.replace(static_cast<std::size_t>(at - 1), text.size(), text);
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ethrin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("can't make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("can't write " + path.string());
}

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string proteinTable(const std::vector<TableGene>& genes)
{
    std::string t = "Test genome - 1..100000\n" + std::to_string(genes.size())
        + " proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";
    for (const TableGene& g : genes)
        t += std::to_string(g.from) + ".." + std::to_string(g.to) + '\t' + g.strand + "\t100\t-\tgen\t" + g.synonym
            + "\t-\t-\ttest protein\n";
    return t;
}

std::string fasta(const std::string& sequence)
{
    std::string t = ">test genome\n";
    for (std::size_t i = 0; i < sequence.size(); i += 70)
        t += sequence.substr(i, 70) + '\n';
    return t;
}

std::vector<std::vector<std::string>> workbenchRows(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::vector<std::vector<std::string>> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> row;
        for (auto w : meridan::ethrin::splitWords(line))
            row.emplace_back(w);
        if (!row.empty())
            rows.push_back(std::move(row));
    }
    return rows;
}

std::filesystem::path shippedData()
{
    return ETHRIN_DATA;
}

} // namespace ethrin_test
