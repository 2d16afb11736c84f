// Reader of the terminator scan table (<id>_terminator_score.txt): one line
// per scan region with a hairpin, fixed-width columns start, stem, loop, tail,
// score, then the element's sequence and the label, tab-separated.
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace meridan::genome::results {

// A hairpin scoring strictly above this is a confident terminator: the TU
// builder ends transcription units there, and the tools count those.
inline constexpr double kTerminatorCut = 2.0;

struct TerminatorRow {
    std::size_t line = 0;
    long start = 0;        // 0-based offset of the hairpin in its scan region
    long stem = 0;         // base pairs
    long loop = 0;         // nucleotides
    long tail = 0;         // nucleotides
    double score = 0.0;    // natural logarithm of the element's score
    std::string sequence;  // hairpin and tail, in the direction of transcription
    std::string label;     // synonym of the gene whose 3' end the region follows
    std::string text;      // the seven items as written, joined by single blanks, for callers that copy them

    long hairpinLength() const { return 2 * stem + loop; }
    long length() const { return hairpinLength() + tail; }
};

// Lines without the seven items, with negative lengths, or whose sequence is
// not 2 x stem + loop + tail long are reported and left out.
ResultRows<TerminatorRow> readTerminatorTable(std::istream& in, const std::string& sourceName);
ResultRows<TerminatorRow> readTerminatorTableFile(const std::string& path);

} // namespace meridan::genome::results
