// Reader of the genome FASTA (FNA) file: one record, the header line first.
#pragma once

#include "meridan/genome/GenomeSequence.h"
#include "meridan/genome/ReadResult.h"

#include <iosfwd>
#include <string>

namespace meridan::genome {

// Reads a genome from an open stream: the sequence of its first FASTA
// record (SequenceRecords.h: blanks dropped, letters upper case). Further
// records are reported and ignored; text that is no FASTA gives an empty
// genome, the reason on trace. Trace lines ("genomeSize= ...") and warnings go to
// trace when it is not null; sourceName names the input in warnings.
GenomeSequence readGenomeSequence(std::istream& in, std::ostream* trace = nullptr,
                                  const std::string& sourceName = "FASTA input");

// Opens and reads the FNA file at path; an unopenable file gives the
// failure "Can't open file <path> !".
ReadResult<GenomeSequence> readGenomeSequence(const std::string& path,
                                              std::ostream* trace = nullptr);

} // namespace meridan::genome
