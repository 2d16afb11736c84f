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
int gff3Input(const std::uint8_t* data, std::size_t size);
int genbankInput(const std::uint8_t* data, std::size_t size);
// Compressed (or plain) bytes, decoded and read as the kind of text they hold.
int gzipInput(const std::uint8_t* data, std::size_t size);
// The same bytes through every reader of the engines' result files.
int resultsInput(const std::uint8_t* data, std::size_t size);

} // namespace meridan::genome::fuzz
