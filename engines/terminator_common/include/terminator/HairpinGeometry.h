// The geometry of a hairpin-plus-tail element, shared by training and
// scanning: a stem of k paired bases from i and from G inwards, a loop of
// G - i + 1 - 2k unpaired bases, then a tail after G.
#pragma once

#include "terminator/NucleotideCode.h"

#include <array>
#include <span>

namespace meridan::terminator {

inline constexpr int kMinStem = 3;
inline constexpr int kMaxLoop = 30;
inline constexpr int kMinTail = 3;
inline constexpr int kMaxTail = 29;

using PairMatrix = std::array<std::array<double, 4>, 4>;

// Calls visit(k, loop, product) for each stem length k of the hairpin from i
// to G (inclusive) in ascending order: k runs from 3 to (G - i + 1) / 2, stops
// at the first inadmissible pair (x[i+k-1], x[G-k+1]) and skips loops longer
// than 30; product is the pairRatio product over the k pairs.
template <class Visit>
void forEachStem(std::span<const Code> x, int i, int G, const PairMatrix& pairRatio, Visit&& visit)
{
    const int span = G - i + 1;
    double product = 1.0;
    for (int k = 1; 2 * k <= span; ++k) {
        const Code fivePrime = x[i + k - 1];
        const Code threePrime = x[G - k + 1];
        if (!admissiblePair(fivePrime, threePrime))
            return;
        product *= pairRatio[fivePrime][threePrime];
        const int loop = span - 2 * k;
        if (k >= kMinStem && loop <= kMaxLoop)
            visit(k, loop, product);
    }
}

} // namespace meridan::terminator
