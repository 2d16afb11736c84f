// Nucleotide FASTA holding several records, kept apart.
#pragma once

#include "meridan/genome/ReadResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace meridan::genome {

struct SequenceRecord {
    std::string id;          // first word of the header line
    std::string description; // rest of the header line
    std::string sequence;    // upper-case, blanks removed
    long headerLine = 0;
};

// Parses FASTA text starting at firstLine of sourceName (used in messages).
// Text before the first header, a header without an identifier, a repeated
// identifier or a character that is not a letter, '-' or '*' fail with the line.
ReadResult<std::vector<SequenceRecord>> parseSequenceRecords(std::string_view text,
                                                       const std::string& sourceName,
                                                       long firstLine = 1);

// Reads a FASTA file, gzip-compressed or not.
ReadResult<std::vector<SequenceRecord>> readSequenceRecords(const std::string& path);

} // namespace meridan::genome
