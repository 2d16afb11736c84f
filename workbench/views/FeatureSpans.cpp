#include "FeatureSpans.h"

#include "ProjectModel.h"

namespace featurespans {

namespace {

bool isForward(const GeneEntry &gene) { return gene.strand == QLatin1String("+"); }

// The first `length` bases of a span read on the gene's strand.
Span head(const Span &span, qint64 length, bool forward)
{
    if (length <= 0 || span.isEmpty())
        return {};
    length = qMin(length, span.length());
    return forward ? Span{span.from, span.from + length - 1} : Span{span.to - length + 1, span.to};
}

// The last `length` bases of a span read on the gene's strand.
Span tail(const Span &span, qint64 length, bool forward)
{
    return head(span, length, !forward);
}

qint64 boxLength(const QString &box)
{
    return box.isEmpty() || box == QLatin1String("-") ? 0 : box.size();
}

} // namespace

Span promoterSpan(const GeneEntry &gene, const PromoterEntry &p)
{
    const bool forward = isForward(gene);
    const qint64 from = forward ? qint64(gene.start) + p.start : qint64(gene.end) - p.end;
    const qint64 to = forward ? qint64(gene.start) + p.end : qint64(gene.end) - p.start;
    return {qMin(from, to), qMax(from, to)};
}

Span promoterBox35(const GeneEntry &gene, const PromoterEntry &p)
{
    return head(promoterSpan(gene, p), boxLength(p.firstBox), isForward(gene));
}

Span promoterBox10(const GeneEntry &gene, const PromoterEntry &p)
{
    return tail(promoterSpan(gene, p), boxLength(p.secondBox), isForward(gene));
}

Span terminatorSpan(const GeneEntry &gene, const TerminatorEntry &t)
{
    const qint64 from = isForward(gene) ? qint64(gene.end) + t.start : qint64(gene.start) - t.start - t.totalLength;
    return {from, from + qMax(0, t.totalLength - 1)};
}

Span terminatorHairpin(const GeneEntry &gene, const TerminatorEntry &t)
{
    return head(terminatorSpan(gene, t), 2 * qint64(t.stem) + t.loop, isForward(gene));
}

} // namespace featurespans
