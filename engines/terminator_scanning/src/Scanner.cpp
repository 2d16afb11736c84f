#include "dovrane/Scanner.h"

#include <algorithm>
#include <vector>

namespace meridan::dovrane {

using terminator::forEachStem;
using terminator::kMaxTail;
using terminator::kMinTail;

namespace {

// The best stem of one hairpin start and closing position.
struct Stem {
    int closing = 0;
    int stem = 0;
    int loop = 0;
    double value = 0;
};

// The best element of one start and tail end.
struct Element {
    int closing = -1; // -1: no element yet
    int stem = 0;
    int loop = 0;
    double value = 0;
};

} // namespace

ScanHit Scanner::scan(std::span<const Code> x) const
{
    const int length = static_cast<int>(x.size());
    ScanHit hit;
    if (length == 0)
        return hit;
    const terminator::CandidateList candidates(x);
    std::vector<Stem> stems;
    std::vector<Element> elements(static_cast<std::size_t>(length));

    for (int i = 0; i < length; ++i) {
        // Stem table row i: the best stem length of each candidate; a longer
        // stem replaces a shorter one only when strictly better.
        stems.clear();
        for (const int closing : candidates.of(i)) {
            Stem best{closing, 0, 0, 0.0};
            forEachStem(x, i, closing, model_.pairRatio, [&](int k, int loop, double product) {
                if (k >= static_cast<int>(model_.stemLen.size()))
                    return;
                const double value = product * model_.stemLen[k] * model_.loopLen[loop];
                if (value > best.value)
                    best = {closing, k, loop, value};
            });
            if (best.value > 0.0)
                stems.push_back(best);
        }
        if (stems.empty())
            continue;

        // Element table row i: for each tail end the best closing position.
        // Closing positions come in ascending order, so for one tail end a
        // later one has the shorter tail and wins a tie.
        // Only tail ends reachable from this row's stems are touched.
        const int firstEnd = stems.front().closing + kMinTail;
        const int lastEnd = std::min(length - 1, stems.back().closing + kMaxTail);
        if (firstEnd > lastEnd)
            continue;
        std::fill(elements.begin() + firstEnd, elements.begin() + lastEnd + 1, Element{});
        for (const Stem& stem : stems) {
            double product = 1.0;
            for (int t = 1; t <= kMaxTail && stem.closing + t < length; ++t) {
                const int tailEnd = stem.closing + t;
                product *= model_.tailRatio[x[tailEnd]];
                if (t < kMinTail)
                    continue;
                const double value = stem.value * product * model_.tailLen[t];
                Element& element = elements[tailEnd];
                if (value > element.value || (value == element.value && value > 0.0))
                    element = {stem.closing, stem.stem, stem.loop, value};
            }
        }

        // Position-weighted element scores, tail ends ascending; the first
        // maximum over the whole region wins.
        for (int tailEnd = firstEnd; tailEnd <= lastEnd; ++tailEnd) {
            const Element& element = elements[tailEnd];
            if (element.closing < 0)
                continue;
            const double score = element.value / (length - (tailEnd - i));
            if (score > hit.score) {
                hit.start = i;
                hit.armEnd = i + element.stem;
                hit.armStart = hit.armEnd + element.loop;
                hit.tailStart = element.closing + 1;
                hit.tailEnd = tailEnd + 1;
                hit.score = score;
            }
        }
    }
    return hit;
}

} // namespace meridan::dovrane
