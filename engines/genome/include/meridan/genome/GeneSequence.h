// A gene's coding-strand sequence cut out of the genome.
#pragma once

#include "meridan/genome/GeneRecord.h"

#include <string>

namespace meridan::genome {

// The text returned in place of a sequence for a strand other than + or -.
inline constexpr const char* invalidStrandText = "strand is neither //'+//' nor //'-//' !";

// '+': sequence from index start-1, end-start+1 characters; '-':
// reverseComplement from index length-end, end-start+1 characters (already in
// the gene's reading direction); any other strand: invalidStrandText.
// A gene that does not lie wholly inside the genome (start < 1, end beyond
// its length, or end before start) has no sequence: the result is empty.
std::string geneSequence(const GeneRecord& gene, const std::string& sequence,
                         const std::string& reverseComplement);

// True when start..end lies inside a genome of the given length.
bool liesInsideGenome(const GeneRecord& gene, std::size_t genomeLength);

} // namespace meridan::genome
