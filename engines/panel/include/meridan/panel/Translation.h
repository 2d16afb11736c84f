// Translation of coding sequences into proteins.
#pragma once

#include <string>
#include <vector>

namespace meridan::panel {

// The bacterial genetic code (11), or the one of Mycoplasma and Spiroplasma
// (4), where TGA codes for tryptophan instead of ending the protein.
enum class GeneticCode { Bacterial = 11, Mycoplasma = 4 };

// The protein of a coding sequence read in frame from its first base: an
// unknown or ambiguous codon gives X, an internal stop gives X, the final
// stop codon is left out.
std::string translate(const std::string& coding, GeneticCode code);

// The code a genome uses, from its coding sequences: code 4 when TGA stands
// inside many of them while the other stop codons do not.
GeneticCode detectGeneticCode(const std::vector<std::string>& codingSequences);

// The coding-strand sequence of start..end (1-based, inclusive) on the given
// strand of a record; a span with end below start runs across the origin of a
// circular record. Empty when the span lies outside the record.
std::string codingSequence(const std::string& record, long long start, long long end, char strand);

} // namespace meridan::panel
