#include "meridan/ethrin/Nucleotides.h"

namespace meridan::ethrin {

std::uint8_t baseCode(char c) noexcept
{
    switch (c) {
    case 'A': case 'a': return 0;
    case 'C': case 'c': return 1;
    case 'G': case 'g': return 2;
    case 'T': case 't': case 'U': case 'u': return 3;
    default: return kOtherBase;
    }
}

char baseLetter(std::uint8_t code) noexcept
{
    static constexpr char letters[] = "ACGTN";
    return letters[code < 4 ? code : 4];
}

Composition strandSymmetricComposition(std::span<const std::uint8_t> codes)
{
    std::array<std::uint64_t, 5> n{};
    for (std::uint8_t c : codes)
        ++n[c < 4 ? c : 4];
    // One added count per base keeps every probability above zero (a
    // sequence without G or C would otherwise give infinite log-odds) and
    // makes an empty sequence uniform.
    const double at = static_cast<double>(n[0] + n[3]) + 1.0;
    const double gc = static_cast<double>(n[1] + n[2]) + 1.0;
    Composition comp;
    const double total = 2.0 * (at + gc);
    comp.p = {at / total, gc / total, gc / total, at / total};
    return comp;
}

} // namespace meridan::ethrin
