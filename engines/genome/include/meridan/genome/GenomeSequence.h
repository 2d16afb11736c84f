// The genome read from a single-record nucleotide FASTA file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace meridan::genome {

struct GenomeSequence {
    std::int32_t length = 0;       // number of characters in sequence
    std::string sequence;          // forward strand, characters as read
    std::string reverseComplement; // same length; non-ACGT characters become '?'
};

// What lower-case a, c, g, t become in a reverse complement: unknown bases,
// their lower-case complements, or their upper-case complements.
enum class LowerCaseBases { Unknown, Kept, UpperCased };

// Reverse complement: A<->T, C<->G; lower-case bases as `lower` says; every
// other character becomes `unknown` (with '\0', stays as it is). The defaults
// are the genome's own (GenomeSequence::reverseComplement).
std::string reverseComplementOf(std::string_view bases, char unknown = '?',
                                LowerCaseBases lower = LowerCaseBases::Unknown);

// Fills length and reverseComplement from sequence.
GenomeSequence makeGenomeSequence(std::string sequence);

} // namespace meridan::genome
