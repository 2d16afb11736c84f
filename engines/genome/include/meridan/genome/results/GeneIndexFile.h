// Reader of the TU builder's gene index table (<id>_gene_index_file.txt): a
// header line, then one tab-separated row of 18 fields per gene of the merged
// gene table (the table the gene indexes of every result file refer to):
// index, synonym, operon number, location, strand, PID, gene name, COG,
// first word of the product, promoter score, start, end, -35 box, middle,
// -10 box, terminator score, start, sequence ("-" where there is none).
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace meridan::genome::results {

struct GeneIndexRow {
    std::size_t line = 0;
    long geneIndex = 0;
    std::string synonym;
    long operonNumber = -1;
    std::string location;    // as written, e.g. 190..255
    long from = 0;           // the location's first number (1-based)
    long to = 0;             // its second; smaller than from for a gene across the origin
    char strand = '+';
    std::string pid;
    std::string name;        // Gene column ("-" when the gene has no name)
    std::string cog;
    std::string product;     // first word only
    std::optional<double> promoterScore;
    std::string promoterBox35;
    std::string promoterBox10;
    std::optional<double> terminatorScore;
    std::string terminatorSequence;
};

// The first line is skipped when it is the header. Rows with fewer than 18
// fields, an index that is not a number, a location that is not a..b, a
// strand other than + or -, or a score that is neither a number nor "-"
// are reported and left out.
ResultRows<GeneIndexRow> readGeneIndex(std::istream& in, const std::string& sourceName);
ResultRows<GeneIndexRow> readGeneIndexFile(const std::string& path);

} // namespace meridan::genome::results
