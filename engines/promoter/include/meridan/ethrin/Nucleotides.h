// Nucleotide codes and base composition used by the promoter scanner.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace meridan::ethrin {

// A 0, C 1, G 2, T 3 (either case, U counts as T); every other character 4.
inline constexpr std::uint8_t kOtherBase = 4;

std::uint8_t baseCode(char c) noexcept;
char baseLetter(std::uint8_t code) noexcept; // "ACGTN"
inline std::uint8_t complementCode(std::uint8_t code) noexcept
{
    return code < 4 ? static_cast<std::uint8_t>(3 - code) : kOtherBase;
}

// Probabilities of A, C, G, T.
struct Composition {
    std::array<double, 4> p{0.25, 0.25, 0.25, 0.25};
};

// Composition of both strands of the coded sequence together (so A = T and
// C = G), the background both strands are scanned against. Characters other
// than A, C, G, T are not counted; one count is added per base, so no
// probability is zero and an empty sequence gives the uniform composition.
Composition strandSymmetricComposition(std::span<const std::uint8_t> codes);

} // namespace meridan::ethrin
