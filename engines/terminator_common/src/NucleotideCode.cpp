#include "terminator/NucleotideCode.h"

#include "meridan/genome/GenomeSequence.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace meridan::terminator {

int nucleotideCode(char c)
{
    switch (c) {
    case 'A': case 'a': return 0;
    case 'C': case 'c': return 1;
    case 'G': case 'g': return 2;
    case 'T': case 't': return 3;
    default: return -1;
    }
}

std::vector<Code> encodeRegion(std::string_view region, std::ostream& trace)
{
    std::vector<Code> codes;
    codes.reserve(region.size());
    for (const char c : region) {
        const int code = nucleotideCode(c);
        if (code < 0)
            trace << c << " is a bad character!\n";
        codes.push_back(static_cast<Code>(code < 0 ? 0 : code));
    }
    return codes;
}

std::string reverseComplement(std::string_view text)
{
    return genome::reverseComplementOf(text, 'N', genome::LowerCaseBases::Kept);
}

CandidateList::CandidateList(std::span<const Code> x)
{
    // Each closing position j accepts the stem bases (a, b, c) at i, i+1, i+2
    // that pair with x[j], x[j-1], x[j-2]. Bucketing the closing positions by
    // the triples they accept lists the candidates of every start directly,
    // without testing all (i, j).
    static constexpr std::array<std::array<Code, 2>, 4> partners = {{{3, 3}, {2, 2}, {1, 3}, {0, 2}}};
    static constexpr std::array<int, 4> partnerCount = {1, 1, 2, 2};
    const auto triple = [](Code a, Code b, Code c) { return a * 16 + b * 4 + c; };

    const int length = static_cast<int>(x.size());
    first_.assign(static_cast<std::size_t>(length) + 1, 0);
    if (length < 6)
        return;

    std::array<int, 65> bucketStart{};
    const auto forEachTriple = [&](int j, auto&& visit) {
        for (int p = 0; p < partnerCount[x[j]]; ++p)
            for (int q = 0; q < partnerCount[x[j - 1]]; ++q)
                for (int r = 0; r < partnerCount[x[j - 2]]; ++r)
                    visit(triple(partners[x[j]][p], partners[x[j - 1]][q], partners[x[j - 2]][r]));
    };
    for (int j = 5; j < length; ++j)
        forEachTriple(j, [&](int key) { ++bucketStart[key + 1]; });
    for (int key = 0; key < 64; ++key)
        bucketStart[key + 1] += bucketStart[key];
    std::vector<int> closings(static_cast<std::size_t>(bucketStart[64]));
    std::array<int, 64> fill{};
    for (int j = 5; j < length; ++j)
        forEachTriple(j, [&](int key) { closings[bucketStart[key] + fill[key]++] = j; });

    for (int i = 0; i < length; ++i) {
        first_[i] = static_cast<int>(closing_.size());
        if (i + 5 >= length)
            continue;
        const int key = triple(x[i], x[i + 1], x[i + 2]);
        const auto begin = closings.begin() + bucketStart[key];
        const auto end = closings.begin() + bucketStart[key + 1];
        closing_.insert(closing_.end(), std::lower_bound(begin, end, i + 5), end);
    }
    first_[length] = static_cast<int>(closing_.size());
}

} // namespace meridan::terminator
