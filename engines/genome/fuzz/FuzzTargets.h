// The entry functions the fuzzers and the corpus replay call: each hands
// the bytes to one reader of the genome library, the way the input check
// reads a file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace meridan::genome::fuzz {

int fastaInput(const std::uint8_t* data, std::size_t size);
int pttInput(const std::uint8_t* data, std::size_t size);
int rntInput(const std::uint8_t* data, std::size_t size);

} // namespace meridan::genome::fuzz
