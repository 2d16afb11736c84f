#pragma once

#include "SimulatedGenome.h"

#include <string>

#include "TestText.h"

namespace simtest {

using meridan::testtext::reverseComplement;

// The bases of start..end read in the direction of the strand.
inline std::string transcribed(const meridan::simulation::SimulatedGenome& g, int start, int end, char strand)
{
    const std::string s = g.sequence.substr(size_t(start - 1), size_t(end - start + 1));
    return strand == '+' ? s : reverseComplement(s);
}

inline int mismatches(const std::string& a, const std::string& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

} // namespace simtest
