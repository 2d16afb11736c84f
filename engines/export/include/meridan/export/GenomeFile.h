// The genome the exports are placed on, read from its FASTA file.
#pragma once

#include "meridan/export/Features.h"

#include <string>

namespace meridan::exports {

struct GenomeLoad {
    GenomeText genome;
    std::string error; // set when the file cannot be read or holds no sequence
};

// Reads the FASTA file. The sequence is named seqid; when that is empty, as
// its FASTA record (the accession of the header line, e.g. NC_000913.3), or
// genomeId when the header names nothing. The record table beside the file
// (<id>_records.txt), when there is one, tells the records of a joined genome.
GenomeLoad loadGenomeText(const std::string& fastaPath, const std::string& genomeId, const std::string& seqid = {});

} // namespace meridan::exports
