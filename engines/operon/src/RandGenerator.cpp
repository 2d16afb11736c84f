#include "meridan/operon/RandGenerator.h"

namespace meridan::operon {

// r[0] = seed; r[1..30] from the minimal-standard congruential generator
// (16807 * r mod 2^31-1); r[31..33] repeat r[0..2]; from then on
// r[i] = r[i-31] + r[i-3] modulo 2^32, and the k-th value returned is
// r[k + 344] >> 1 (the first 310 sums are discarded).
void RandGenerator::reseed(std::uint32_t seed)
{
    std::int64_t word = static_cast<std::int32_t>(seed == 0 ? 1u : seed);
    state_[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < 31; ++i) {
        const std::int64_t hi = word / 127773;
        const std::int64_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0)
            word += 2147483647;
        state_[i] = static_cast<std::uint32_t>(word);
    }
    for (int i = 31; i < 34; ++i)
        state_[i] = state_[i - 31];
    index_ = 34 % stateSize;
    for (int i = 0; i < 310; ++i)
        next();
}

int RandGenerator::next()
{
    const int i = index_;
    const std::uint32_t value =
        state_[(i + stateSize - 31) % stateSize] + state_[(i + stateSize - 3) % stateSize];
    state_[i] = value;
    index_ = (i + 1) % stateSize;
    return static_cast<int>(value >> 1);
}

} // namespace meridan::operon
