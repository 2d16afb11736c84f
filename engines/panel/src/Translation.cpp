#include "meridan/panel/Translation.h"

#include "meridan/genome/GenomeSequence.h"

#include <array>

namespace meridan::panel {

namespace {

int baseIndex(char b)
{
    switch (b) {
    case 'T': case 't': case 'U': case 'u': return 0;
    case 'C': case 'c': return 1;
    case 'A': case 'a': return 2;
    case 'G': case 'g': return 3;
    default: return -1;
    }
}

// Codons in TCAG order of their three bases.
constexpr const char* kStandard = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";

char aminoAcid(const char* codon, GeneticCode code)
{
    const int a = baseIndex(codon[0]), b = baseIndex(codon[1]), c = baseIndex(codon[2]);
    if (a < 0 || b < 0 || c < 0)
        return 'X';
    const int k = a * 16 + b * 4 + c;
    if (code == GeneticCode::Mycoplasma && k == 14) // TGA
        return 'W';
    return kStandard[k];
}

} // namespace

std::string translate(const std::string& coding, GeneticCode code)
{
    std::string protein;
    protein.reserve(coding.size() / 3);
    for (std::size_t i = 0; i + 3 <= coding.size(); i += 3)
        protein += aminoAcid(coding.data() + i, code);
    if (!protein.empty() && protein.back() == '*')
        protein.pop_back();
    for (char& aa : protein)
        if (aa == '*')
            aa = 'X';
    return protein;
}

GeneticCode detectGeneticCode(const std::vector<std::string>& codingSequences)
{
    // Count, per stop codon, the genes in which it stands in frame before the end.
    std::size_t genes = 0, withTga = 0, withOther = 0;
    for (const auto& cds : codingSequences) {
        if (cds.size() < 90)
            continue;
        ++genes;
        bool tga = false, other = false;
        for (std::size_t i = 0; i + 6 <= cds.size(); i += 3) {
            const char* c = cds.data() + i;
            const bool t = (c[0] == 'T' || c[0] == 't');
            if (!t)
                continue;
            const char b = char(c[1] & ~0x20), d = char(c[2] & ~0x20);
            if (b == 'G' && d == 'A')
                tga = true;
            else if (b == 'A' && (d == 'A' || d == 'G'))
                other = true;
        }
        withTga += tga;
        withOther += other;
    }
    if (genes >= 20 && withTga * 10 >= genes * 2 && withTga >= 5 * (withOther + 1))
        return GeneticCode::Mycoplasma;
    return GeneticCode::Bacterial;
}

std::string codingSequence(const std::string& record, long long start, long long end, char strand)
{
    const auto n = static_cast<long long>(record.size());
    if (start < 1 || end < 1 || start > n || end > n)
        return {};
    std::string forward = end >= start ? record.substr(std::size_t(start - 1), std::size_t(end - start + 1))
                                       : record.substr(std::size_t(start - 1)) + record.substr(0, std::size_t(end));
    return strand == '-' ? genome::reverseComplementOf(forward) : forward;
}

} // namespace meridan::panel
