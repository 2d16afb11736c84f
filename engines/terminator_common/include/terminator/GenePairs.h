// Gene pairs of the terminator engines: every gene with the next gene of the
// same strand in table order, the genes in between skipped.
#pragma once

#include "meridan/genome/RecordTable.h"
#include "terminator/LocusTable.h"

#include <vector>

namespace meridan::terminator {

struct GenePair {
    LocusRecord upstream;   // the earlier gene in table order
    LocusRecord downstream; // the next gene of the same strand

    // The gene transcribed first: upstream on +, downstream on -.
    const LocusRecord& leading() const { return upstream.strand == '-' ? downstream : upstream; }
};

// Pairs gene i with the first later gene on its strand; the last gene of each
// strand gets no pair. Pairs come in the order of their upstream genes.
std::vector<GenePair> formGenePairs(const std::vector<LocusRecord>& genes);

// The same within each record of a joined genome: the last gene of each
// strand of every record gets no pair.
std::vector<GenePair> formGenePairs(const std::vector<LocusRecord>& genes, const genome::RecordTable& records);

// The record table beside the FNA file (empty for a genome of one record).
// Throws RunError when it cannot be read.
genome::RecordTable recordTableOf(const std::string& fnaPath);

} // namespace meridan::terminator
