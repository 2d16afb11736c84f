// The scanner's view of the genome (the first FASTA record, coded) and of
// the gene tables in protein-table layout (PTT, RNT and the merged
// annotation file), read with the genome library.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::ethrin {

struct Genome {
    std::vector<std::uint8_t> codes; // forward strand, coded (Nucleotides.h)
    bool moreRecords = false;        // a further '>' record was found and left out
};

// Throws InputError ("Can't open file <path> !") when the file cannot be read.
Genome readGenome(const std::string& path);
// Throws InputError when the text is no FASTA.
Genome parseGenome(std::istream& in, const std::string& sourceName = "FASTA input");

struct GeneRow {
    std::string synonym; // the Synonym column ("-" when empty)
    char strand = '+';
    long left = 0;       // first number of the Location column
    long startCodon = 0; // 1-based first base of the start codon (forward coordinates)
    long right = 0;      // second number of the Location column (0: not known, taken as the start codon)
};

struct GeneTableRead {
    std::vector<GeneRow> genes;
    std::vector<std::string> problems; // "<file>:<line>: <why>; row skipped"
};

// Appends the rows of one table. Rows whose location, strand or columns
// cannot be used are reported in `problems` and skipped; a start codon
// outside 1..genomeLength is such a row.
void parseGeneTable(std::istream& in, const std::string& fileName, long genomeLength, GeneTableRead& into);
// Throws InputError ("Can't open file <path> !") when the file cannot be read.
void readGeneTable(const std::string& path, long genomeLength, GeneTableRead& into);

} // namespace meridan::ethrin
