// The pseudo-random sequence the operon fit draws its starting motifs from:
// the additive-feedback generator behind the C library's srand()/rand(),
// held as an object so that each run owns its own and can be seeded at will.
#pragma once

#include <array>
#include <cstdint>

namespace meridan::operon {

class RandGenerator {
public:
    static constexpr int max = 2147483647; // largest value next() returns

    explicit RandGenerator(std::uint32_t seed) { reseed(seed); }

    // Restarts the sequence, as srand(seed) does.
    void reseed(std::uint32_t seed);

    // The next value in 0 … max, as rand() gives it.
    int next();

private:
    static constexpr int stateSize = 34;
    std::array<std::uint32_t, stateSize> state_{};
    int index_ = 0; // position of the next value to produce, modulo stateSize
};

} // namespace meridan::operon
