// The name of a sequence as genome browsers and BED files know it, taken
// from its FASTA header line.
#pragma once

#include <string>

namespace meridan::genome {

// The accession of a FASTA header (with or without its '>'): the first word,
// or for the old NCBI form "gi|45478711|ref|NC_005816.1| ..." the accession
// after "ref|" (NC_005816.1). Empty for an empty header.
std::string sequenceName(const std::string& header);

// The first line of the FASTA file at path when it is a '>' header; empty
// otherwise (also when the file cannot be read).
std::string fastaHeaderLine(const std::string& path);

} // namespace meridan::genome
