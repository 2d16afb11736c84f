// The nucleotide code of the terminator engines (A 0, C 1, G 2, T 3), the
// reverse complement of a region, the admissible stem pairs and the
// positions where a stem can close.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace meridan::terminator {

using Code = std::uint8_t;

// 0..3 for A, C, G, T in either case; -1 for any other character.
int nucleotideCode(char c);

// Codes a region; any other character is reported as
// "<c> is a bad character!" on trace and coded 0 (as A).
std::vector<Code> encodeRegion(std::string_view region, std::ostream& trace);

// Reverse complement: A<->T, C<->G in either case (the case is kept); every
// other character becomes N.
std::string reverseComplement(std::string_view text);

// Watson-Crick pairs A·T, T·A, C·G, G·C and the wobble pairs G·T, T·G.
inline bool admissiblePair(Code fivePrime, Code threePrime)
{
    const int sum = fivePrime + threePrime;
    return sum == 3 || sum == 5;
}

// For each start i of a region, the ascending positions j >= i + 5 at which a
// stem can close: (x[i], x[j]), (x[i+1], x[j-1]) and (x[i+2], x[j-2]) are all
// admissible pairs.
class CandidateList {
public:
    CandidateList() = default;
    explicit CandidateList(std::span<const Code> region);

    std::span<const int> of(int start) const
    {
        return {closing_.data() + first_[start], closing_.data() + first_[start + 1]};
    }
    int regionLength() const { return first_.empty() ? 0 : static_cast<int>(first_.size()) - 1; }
    std::size_t total() const { return closing_.size(); }

private:
    std::vector<int> first_;   // first_[i] .. first_[i+1]: range in closing_
    std::vector<int> closing_; // candidate closing positions, row by row
};

} // namespace meridan::terminator
