#include "meridan/genome/GenomeSequence.h"

#include <algorithm>
#include <array>
#include <utility>

namespace meridan::genome {

namespace {

constexpr std::array<char, 256> makeComplementTable()
{
    std::array<char, 256> table{};
    for (auto& c : table)
        c = '?';
    table['A'] = 'T';
    table['C'] = 'G';
    table['G'] = 'C';
    table['T'] = 'A';
    return table;
}

constexpr auto complementTable = makeComplementTable();

} // namespace

std::string reverseComplementOf(const std::string& sequence)
{
    std::string result(sequence.size(), '?');
    std::transform(sequence.rbegin(), sequence.rend(), result.begin(),
                   [](char c) { return complementTable[static_cast<unsigned char>(c)]; });
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
