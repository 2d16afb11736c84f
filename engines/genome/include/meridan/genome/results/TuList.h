// Reader of the TU list (<id>_tulist.txt): one tab-separated line per
// transcription unit: genome identifier, unit name (operon number padded to
// four digits, ".", ordinal), strand, members (synonym|PID|gene index, comma
// separated), the head gene's -35 and -10 boxes, the tail gene's terminator
// sequence ("-" where there is none).
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::genome::results {

struct TuMember {
    std::string synonym;
    std::string pid;
    long geneIndex = 0;  // row of the gene table (0-based)
};

struct TuRow {
    std::size_t line = 0;
    std::string genomeId;
    std::string name;        // as written, e.g. 0012.1
    long operonNumber = 0;   // 12 (a negative number is written 00-1)
    long ordinal = 0;        // 1; 0 is the operon's first unit
    char strand = '+';
    std::vector<TuMember> members; // in the file's order
    std::string promoterBox35;
    std::string promoterBox10;
    std::string terminatorSequence;

    // Every unit after the first of its operon is an alternative one.
    bool alternative() const { return ordinal > 0; }
};

// Lines without the seven fields, with a name that is not <number>.<number>,
// a strand other than + or -, or a member that is not synonym|PID|index are
// reported and left out.
ResultRows<TuRow> readTuList(std::istream& in, const std::string& sourceName);
ResultRows<TuRow> readTuListFile(const std::string& path);

} // namespace meridan::genome::results
