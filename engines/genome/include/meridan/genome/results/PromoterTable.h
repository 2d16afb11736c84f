// Readers of the promoter results: the merged promoter table
// (<id>_promoter_scores.txt, one line per gene, the best hit over the sigma
// factors) and the promoter library's four score files
// (<id>.<sigma>.sca.dat, one per sigma factor).
#pragma once

#include "meridan/genome/results/ResultRows.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace meridan::genome::results {

// The merged table: name, score, start, end, first box, "-", second box,
// separated by blanks. start and end count from the gene's start codon in the
// gene's direction (0 = its first base, negative upstream); end is the base
// just after the last box.
struct PromoterRow {
    std::size_t line = 0;
    std::string name;        // the gene's synonym
    double score = 0.0;      // log-odds minus the sigma factor's threshold; > 0 is confident
    long start = 0;
    long end = 0;
    std::string firstBox;    // -35 box (the extended -10 box of a one-box model)
    std::string secondBox;   // -10 box, or "-" for a one-box model
    std::string text;        // the seven items as written, joined by single blanks, for callers that copy them

    bool twoBoxes() const { return secondBox != "-"; }
    // Bases between the two boxes (0 for a one-box model).
    long spacer() const;
};

// Lines that do not hold seven items with numbers where numbers belong, or
// whose end does not leave room for the boxes, are reported and left out.
ResultRows<PromoterRow> readPromoterTable(std::istream& in, const std::string& sourceName);
ResultRows<PromoterRow> readPromoterTableFile(const std::string& path);

// The sigma factors the promoter library writes a score file for, in the
// order the merge reads them.
inline constexpr std::array<std::string_view, 4> kSigmaFactors{"sigma24", "sigma32", "sigma70", "sigma38"};

// One line of a sigma factor's score file (header line skipped): synonym,
// strand, tss, start, score, firstBox_pos, firstBox and, for a two-box model,
// secondBox_pos, secondBox, spacer. Positions are 1-based genome coordinates
// of the box's first base in the gene's direction.
struct SigmaHit {
    std::size_t line = 0;
    std::string synonym;
    char strand = '+';
    long tss = 0;
    long start = 0;             // as PromoterRow::start
    double score = 0.0;
    long firstBoxPosition = 0;
    std::string firstBox;
    bool twoBoxes = false;
    long secondBoxPosition = 0; // two-box models only
    std::string secondBox;
    long spacer = 0;
};

ResultRows<SigmaHit> readSigmaScores(std::istream& in, const std::string& sourceName);
ResultRows<SigmaHit> readSigmaScoreFile(const std::string& path);

} // namespace meridan::genome::results
