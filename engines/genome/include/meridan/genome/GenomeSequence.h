// The genome read from a single-record nucleotide FASTA file.
#pragma once

#include <cstdint>
#include <string>

namespace meridan::genome {

struct GenomeSequence {
    std::int32_t length = 0;       // number of characters in sequence
    std::string sequence;          // forward strand, characters as read
    std::string reverseComplement; // same length; non-ACGT characters become '?'
};

// Reverse complement: A<->T, C<->G; every other character (lower case
// included) becomes '?'.
std::string reverseComplementOf(const std::string& sequence);

// Fills length and reverseComplement from sequence.
GenomeSequence makeGenomeSequence(std::string sequence);

} // namespace meridan::genome
