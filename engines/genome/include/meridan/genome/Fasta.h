// The nucleotide FASTA reader: every record of a file kept apart, so that a
// caller sees when a file holds several.
#pragma once

#include "meridan/genome/ReadResult.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::genome {

struct FastaRecord {
    std::string header;   // the header line without its '>' and line end
    long headerLine = 0;  // 1-based line of the header; 0 for text before any header
    long firstSequenceLine = 0; // 1-based line of the first sequence character; 0 when none
    std::string sequence; // every non-blank character of the record's lines, letters upper case
};

struct FastaFile {
    std::vector<FastaRecord> records; // file order; text before the first header is a record of its own
};

// Reads FASTA text. A line whose first non-blank character is '>' starts a
// record; of every other line each non-blank character is appended to the
// current record, lower-case letters made upper case, every other byte kept
// as it is (the input check names the ones that are not nucleotide codes).
// Text before the first header line forms a record with headerLine 0.
FastaFile parseFasta(std::istream& in);

// Opens and reads the file at path; a missing, unreadable file or a folder
// gives the failure "Can't open file <path> !".
ReadResult<FastaFile> readFasta(const std::string& path);

} // namespace meridan::genome
