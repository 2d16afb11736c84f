#include "meridan/genome/GenomeSequence.h"

#include <algorithm>
#include <array>
#include <utility>

namespace meridan::genome {

namespace {

std::array<char, 256> complementTable(char unknown, LowerCaseBases lower)
{
    std::array<char, 256> table{};
    // unknown '\0': every other character stays as it is.
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = unknown != '\0' ? unknown : static_cast<char>(c);
    const char upper[] = "ACGT", complement[] = "TGCA";
    for (int k = 0; k < 4; ++k) {
        table[static_cast<unsigned char>(upper[k])] = complement[k];
        const auto small = static_cast<unsigned char>(upper[k] - 'A' + 'a');
        if (lower == LowerCaseBases::Kept)
            table[small] = static_cast<char>(complement[k] - 'A' + 'a');
        else if (lower == LowerCaseBases::UpperCased)
            table[small] = complement[k];
    }
    return table;
}

} // namespace

std::string reverseComplementOf(std::string_view bases, char unknown, LowerCaseBases lower)
{
    const std::array<char, 256> table = complementTable(unknown, lower);
    std::string result(bases.size(), unknown);
    std::transform(bases.rbegin(), bases.rend(), result.begin(),
                   [&table](char c) { return table[static_cast<unsigned char>(c)]; });
    return result;
}

GenomeSequence makeGenomeSequence(std::string sequence)
{
    GenomeSequence genome;
    genome.length = static_cast<std::int32_t>(sequence.size());
    genome.reverseComplement = reverseComplementOf(sequence);
    genome.sequence = std::move(sequence);
    return genome;
}

} // namespace meridan::genome
