// The four per-gene sources the TU builder joins: gene table rows, operon
// numbers from the gene-tag file, promoter rows and terminator rows.
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace brintel {

// One line of an input file with its 1-based line number in that file.
struct SourceLine {
    std::string text;
    int lineNumber = 0;
};

struct BuilderInputs {
    std::map<int, int> operonNumbers;                 // gene index -> operon number
    std::map<std::string, SourceLine> promoterRows;   // first token -> line
    std::map<std::string, SourceLine> terminatorRows; // last token -> line
    std::vector<SourceLine> geneRows;                 // gene index -> gene table row
};

// Tab-separated columns of a gene table row up to the Synonym column.
inline constexpr std::size_t kGeneColumns = 6;
// Whitespace tokens of a gene table row up to the first Product word.
inline constexpr std::size_t kGeneTokens = 9;

// The result files are read by the genome library's readers: a line they
// cannot use is named in `log` (by `source` and line number) and left out,
// so its gene shows "-" as if the file had no line for it.

// Gene-tag file: the i-th non-blank line gives gene i its operon number.
std::map<int, int> readOperonNumbers(std::istream& in, const std::string& source, std::ostream& log);

// Promoter table: keyed by the gene's synonym (the first item); a later line
// replaces an earlier one with the same key.
std::map<std::string, SourceLine> readPromoterRows(std::istream& in, const std::string& source,
                                                   std::ostream& log);

// Terminator table: keyed by the gene's synonym (the last item); later lines
// replace earlier ones.
std::map<std::string, SourceLine> readTerminatorRows(std::istream& in, const std::string& source,
                                                     std::ostream& log);

// Gene table in PTT layout: three header lines, then one gene per non-blank
// line; a row shorter than the fields copied from it is noted in `log`.
std::vector<SourceLine> readGeneRows(std::istream& in, const std::string& source, std::ostream& log);

// Writes the note about a line that holds fewer pieces than the fields copied from it.
void reportShortLine(std::ostream& log, const std::string& source, int lineNumber,
                     std::size_t found, std::size_t expected, const char* unit);

} // namespace brintel
