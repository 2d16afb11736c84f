// Where a gene's predicted promoter and terminator lie on the genome, in
// 1-based inclusive positions (they may reach past either end of the
// genome; callers wrap or clip), and the parts inside them: the promoter's
// -35 and -10 boxes, the terminator's hairpin and tail.
#pragma once

#include <QtGlobal>

struct GeneEntry;
struct PromoterEntry;
struct TerminatorEntry;

namespace featurespans {

struct Span {
    qint64 from = 0;
    qint64 to = -1;
    bool isEmpty() const { return to < from; }
    qint64 length() const { return to - from + 1; }
};

// The promoter's start and end count from the gene's start, upstream being
// negative; on "-" the gene starts at its end coordinate.
Span promoterSpan(const GeneEntry &gene, const PromoterEntry &promoter);
// The -35 box (firstBox) and the -10 box (secondBox; empty when "-"): the
// first opens the promoter on its strand, the second closes it.
Span promoterBox35(const GeneEntry &gene, const PromoterEntry &promoter);
Span promoterBox10(const GeneEntry &gene, const PromoterEntry &promoter);

// The terminator's start counts from the gene's 3' end downstream.
Span terminatorSpan(const GeneEntry &gene, const TerminatorEntry &terminator);
// The stem-loop-stem part; the tail follows it on the gene's strand.
Span terminatorHairpin(const GeneEntry &gene, const TerminatorEntry &terminator);

} // namespace featurespans
