// Reader and writer of the operon engine's gene-tag file (<id>_genetag.txt): one line per
// gene of the gene table, in table order, four numbers separated by blanks:
// operon number, SD position, TA position, terminator position.
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace meridan::genome::results {

struct GeneTagRow {
    std::size_t line = 0;      // 1-based line in the file
    long geneIndex = 0;        // position among the non-blank lines (the gene it belongs to)
    long operonNumber = 0;
    long sdPosition = -1;      // -1: none
    long taPosition = -1;
    long terminatorPosition = -1;
};

// Blank lines are skipped and take no gene index; a line that is not four
// whole numbers is reported and left out, but still takes its gene index, so
// the rows after it stay with their genes. Numbers may be written in exponent
// notation (the engine prints them as doubles) but must be whole.
ResultRows<GeneTagRow> readGeneTags(std::istream& in, const std::string& sourceName);
ResultRows<GeneTagRow> readGeneTagFile(const std::string& path);

// One gene's line: the four values in the stream's default notation,
// separated by four blanks, and a line break.
void writeGeneTagLine(std::ostream& out, double operonNumber, double sdPosition, double taPosition,
                      double terminatorPosition);

} // namespace meridan::genome::results
