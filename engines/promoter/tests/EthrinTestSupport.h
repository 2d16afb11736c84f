// Helpers shared by the promoter scanner tests: synthetic genomes, gene
// tables, temporary folders and reading score files as the workbench does.
#pragma once

#include "TestText.h"
#include "meridan/ethrin/GenomeInput.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ethrin_test {

// Uniformly random A/C/G/T text, the same for the same seed.
std::string randomBases(std::size_t length, std::uint64_t seed);
using meridan::testtext::reverseComplement;
std::vector<std::uint8_t> codes(const std::string& bases);

// Places `text` so that its first character lands on 1-based position `at`.
void plant(std::string& genome, long at, const std::string& text);

// A folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string slash() const { return path_.string() + "/"; } // "<dir>/"

private:
    std::filesystem::path path_;
};

void writeText(const std::filesystem::path& path, const std::string& text);
std::string readText(const std::filesystem::path& path);

// One gene for a protein-table row.
struct TableGene {
    long from;
    long to;
    char strand;
    std::string synonym;
};
// Three header lines, then one tab-separated nine-column row per gene.
std::string proteinTable(const std::vector<TableGene>& genes);
// A single-record FASTA file of the sequence, 70 bases per line.
std::string fasta(const std::string& sequence);

// The data lines of a score file split at blanks and tabs, header skipped,
// as the workbench reads them.
std::vector<std::vector<std::string>> workbenchRows(const std::filesystem::path& path);

// The shipped WM/ and threshold/ folders (source tree).
std::filesystem::path shippedData();

} // namespace ethrin_test
