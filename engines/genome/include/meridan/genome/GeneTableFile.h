// The gene tables in protein-table layout (PTT and RNT files, and the
// merged annotation file): three header lines (title, gene count, column
// names), then one row per gene: Location, Strand, Length, PID, Gene,
// Synonym, Code, COG, Product.
#pragma once

#include "meridan/genome/ReadResult.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace meridan::genome {

inline constexpr int kGeneTableHeaderLines = 3;

// Column positions of a row.
namespace column {
inline constexpr std::size_t location = 0;
inline constexpr std::size_t strand = 1;
inline constexpr std::size_t length = 2;
inline constexpr std::size_t pid = 3;
inline constexpr std::size_t gene = 4;
inline constexpr std::size_t synonym = 5;
inline constexpr std::size_t code = 6;
inline constexpr std::size_t cog = 7;
inline constexpr std::size_t product = 8;
} // namespace column

struct GeneTableRow {
    long line = 0;                    // 1-based line number in its file
    std::string text;                 // the line without its line end
    std::vector<std::string> columns; // see geneTableColumns
};

struct GeneTableText {
    std::vector<std::string> header;  // up to three lines, without line ends
    std::vector<GeneTableRow> rows;   // the usable rows after the header, file order
    std::vector<GeneTableRow> unusable; // the rows left out, with rowProblem saying why
};

// The columns of a row: its tab-separated fields when there are at least six
// (Location .. Synonym), otherwise its blank-separated words, so that a table
// written with blanks in place of tabs still reads.
std::vector<std::string> geneTableColumns(const std::string& line);

// Reads the header lines and every non-blank row after them, the last one
// too when the file ends without a line break. Rows that rowProblem refuses
// go to `unusable`: every engine leaves out the same rows.
GeneTableText parseGeneTableText(std::istream& in);

// Opens and reads the file at path; a missing, unreadable file or a folder
// gives the failure "Can't open file <path> !".
ReadResult<GeneTableText> readGeneTableText(const std::string& path);

// A Location column "start..end" with both numbers whole decimal integers,
// as given (no order imposed); nothing for any other text.
struct Span {
    long start = 0;
    long end = 0;
};
std::optional<Span> parseSpan(const std::string& location);

// Why a row cannot be used, or empty when it can: it needs the columns
// Location to Synonym, a Location "start..end" of whole numbers of at least
// 1 (start > end is a gene running across the origin), and the strand + or -.
std::string rowProblem(const GeneTableRow& row);

// The two number texts of a Location column: the characters before its first
// '.' and those from two past it (190..255 gives "190" and "255"; a text
// without '.' gives itself and "").
std::array<std::string, 2> locationTexts(const std::string& location);

} // namespace meridan::genome
