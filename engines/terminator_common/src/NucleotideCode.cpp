#include "terminator/NucleotideCode.h"

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
    std::string result(text.size(), 'N');
    for (std::size_t k = 0; k < text.size(); ++k) {
        char& out = result[text.size() - 1 - k];
        switch (text[k]) {
        case 'A': out = 'T'; break;
        case 'C': out = 'G'; break;
        case 'G': out = 'C'; break;
        case 'T': out = 'A'; break;
        case 'a': out = 't'; break;
        case 'c': out = 'g'; break;
        case 'g': out = 'c'; break;
        case 't': out = 'a'; break;
        default: break;
        }
    }
    return result;
}

CandidateList::CandidateList(std::span<const Code> x)
{
    const int length = static_cast<int>(x.size());
    first_.assign(static_cast<std::size_t>(length) + 1, 0);
    for (int i = 0; i < length; ++i) {
        first_[i] = static_cast<int>(closing_.size());
        if (i + 2 >= length)
            continue;
        for (int j = i + 5; j < length; ++j) {
            if (admissiblePair(x[i], x[j]) && admissiblePair(x[i + 1], x[j - 1])
                && admissiblePair(x[i + 2], x[j - 2]))
                closing_.push_back(j);
        }
    }
    first_[length] = static_cast<int>(closing_.size());
}

} // namespace meridan::terminator
