// The gene index table: one tab-separated row of 18 fields per gene, joining
// the gene table, operon numbers, promoter rows and terminator rows.
#pragma once

#include "brintel/BuilderInputs.h"

#include <iosfwd>
#include <map>
#include <string>

namespace brintel {

// Gene index -> whole row text of the gene index file.
using GeneIndexTable = std::map<int, std::string>;

// Positions of the fields in a gene index row.
namespace field {
inline constexpr std::size_t geneIndex = 0;
inline constexpr std::size_t synonym = 1;
inline constexpr std::size_t tu = 2;
inline constexpr std::size_t location = 3;
inline constexpr std::size_t strand = 4;
inline constexpr std::size_t pid = 5;
inline constexpr std::size_t geneName = 6;
inline constexpr std::size_t category = 7;
inline constexpr std::size_t product = 8;
inline constexpr std::size_t promoterScore = 9;
inline constexpr std::size_t promoterLeft = 10;
inline constexpr std::size_t promoterRight = 11;
inline constexpr std::size_t promoterBox35 = 12;
inline constexpr std::size_t promoterMiddle = 13;
inline constexpr std::size_t promoterBox10 = 14;
inline constexpr std::size_t terminatorScore = 15;
inline constexpr std::size_t terminatorLeft = 16;
inline constexpr std::size_t terminatorSequence = 17;
inline constexpr std::size_t count = 18;
} // namespace field

// The header line of the gene index file (17 names, no line break).
const std::string& geneIndexHeader();

// Writes the header and one row per gene of `inputs`, each ending in a line break.
void writeGeneIndexFile(std::ostream& out, const BuilderInputs& inputs);

// One row (without line break) for gene `index`; null promoter or terminator
// rows stand for a gene without prediction.
std::string geneIndexRow(int index, const std::string& geneRow, int tu,
                         const std::string* promoterRow, const std::string* terminatorRow);

// Reads a gene index file back: the header is dropped, every non-blank line
// is stored under the integer value of its first field.
GeneIndexTable readGeneIndexTable(std::istream& in);

} // namespace brintel
