#include "BrowserFeatures.h"

#include "FeatureSpans.h"
#include "ProjectModel.h"

#include <QLocale>
#include <QObject>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace browser {

namespace {

QString range(qint64 first, qint64 last)
{
    return QStringLiteral("%1..%2").arg(QLocale().toString(first), QLocale().toString(last));
}

Feature spanFeature(Kind kind, const featurespans::Span &span, QChar strand, int gene)
{
    Feature f;
    f.kind = kind;
    f.first = span.from;
    f.last = span.to;
    f.strand = strand;
    f.gene = gene;
    return f;
}

QChar strandOf(const QString &strand)
{
    return strand.isEmpty() ? QLatin1Char('?') : strand.at(0);
}

Feature geneFeature(const ProjectModel &model, int g, int operon)
{
    const GeneEntry &gene = model.genes[g];
    Feature f;
    f.kind = Kind::Gene;
    f.first = std::min(gene.start, gene.end);
    f.last = std::max(gene.start, gene.end);
    // A gene across the origin is drawn from its start to the genome's end.
    if (gene.end < gene.start)
        f.last = model.genomeLength;
    f.strand = strandOf(gene.strand);
    // A gene with neither name nor locus tag (as gene callers leave them) is drawn unnamed.
    f.label = displayName(gene) == QLatin1String("-") ? QString() : displayName(gene);
    f.gene = g;
    f.operon = operon;
    QStringList lines;
    lines << QObject::tr("<b>%1</b> %2").arg(displayName(gene).toHtmlEscaped(), gene.synonym.toHtmlEscaped());
    lines << QObject::tr("%1 (%2 strand), %3 bp")
                 .arg(range(gene.start, gene.end), gene.strand)
                 .arg(std::abs(gene.end - gene.start) + 1);
    if (!gene.product.trimmed().isEmpty())
        lines << gene.product.trimmed().toHtmlEscaped();
    if (!gene.cog.isEmpty() && gene.cog != QLatin1String("-"))
        lines << QObject::tr("COG %1").arg(gene.cog.toHtmlEscaped());
    if (operon >= 0)
        lines << operonName(operon);
    f.tooltip = lines.join(QStringLiteral("<br>"));
    return f;
}

// Members of a unit that are genes of the project, in order.
QVector<int> membersOf(const ProjectModel &model, const TuEntry &unit)
{
    QVector<int> genes;
    for (int g : unit.geneIndexes)
        if (g >= 0 && g < model.genes.size())
            genes << g;
    return genes;
}

Feature unitFeature(const ProjectModel &model, const QVector<int> &genes, Kind kind)
{
    Feature f;
    f.kind = kind;
    f.first = model.genomeLength;
    f.last = 1;
    QStringList names;
    for (int g : genes) {
        const GeneEntry &gene = model.genes[g];
        f.first = std::min<qint64>(f.first, std::min(gene.start, gene.end));
        f.last = std::max<qint64>(f.last, gene.end < gene.start ? model.genomeLength : gene.end);
        names << displayName(gene);
    }
    f.gene = genes.first();
    f.members = genes;
    f.strand = strandOf(model.genes[genes.first()].strand);
    f.label = names.join(QLatin1Char('/'));
    return f;
}

void addPromoters(const ProjectModel &model, Features &out)
{
    for (int g = 0; g < model.genes.size(); ++g) {
        const GeneEntry &gene = model.genes[g];
        const auto it = model.promoterMap.constFind(gene.synonym);
        if (it == model.promoterMap.constEnd() || !(it->score > 0))
            continue;
        Feature f = spanFeature(Kind::Promoter, featurespans::promoterSpan(gene, *it), strandOf(gene.strand), g);
        const featurespans::Span box35 = featurespans::promoterBox35(gene, *it);
        const featurespans::Span box10 = featurespans::promoterBox10(gene, *it);
        f.partFirst[0] = box35.from;
        f.partLast[0] = box35.to;
        f.partFirst[1] = box10.from;
        f.partLast[1] = box10.to;
        const QString sigma = it->sigma.isEmpty() ? QString() : QObject::tr(", \u03c3%1").arg(it->sigma);
        f.tooltip = QObject::tr("<b>Promoter</b> of %1<br>%2 (%3 strand), score %4%5<br>"
                                "&minus;35 box %6<br>&minus;10 box %7")
                        .arg(displayName(gene).toHtmlEscaped(), range(f.first, f.last), gene.strand)
                        .arg(QString::number(it->score, 'g', 4), sigma, it->firstBox.toHtmlEscaped(),
                             it->secondBox.toHtmlEscaped());
        out.promoters << f;
    }
}

void addTerminators(const ProjectModel &model, Features &out)
{
    for (int g = 0; g < model.genes.size(); ++g) {
        const GeneEntry &gene = model.genes[g];
        const auto it = model.terminatorMap.constFind(gene.synonym);
        // The terminator score counts in single precision, as it was written.
        if (it == model.terminatorMap.constEnd() || !(float(it->score) > 2.0f))
            continue;
        Feature f = spanFeature(Kind::Terminator, featurespans::terminatorSpan(gene, *it), strandOf(gene.strand), g);
        const featurespans::Span hairpin = featurespans::terminatorHairpin(gene, *it);
        f.partFirst[0] = hairpin.from;
        f.partLast[0] = hairpin.to;
        f.tooltip = QObject::tr("<b>Terminator</b> after %1<br>%2 (%3 strand), score %4<br>"
                                "stem %5 bp, loop %6 bp, tail %7 bp<br><tt>%8</tt>")
                        .arg(displayName(gene).toHtmlEscaped(), range(f.first, f.last), gene.strand)
                        .arg(QString::number(it->score, 'g', 4))
                        .arg(it->stem)
                        .arg(it->loop)
                        .arg(it->tail)
                        .arg(it->sequence.toHtmlEscaped());
        out.terminators << f;
    }
}

struct BaseKind {
    int gc = 0, gMinusC = 0, called = 0;
};

BaseKind kindOf(QChar base)
{
    switch (base.unicode() | 0x20) {
    case 'g': return {1, 1, 1};
    case 'c': return {1, -1, 1};
    case 'a':
    case 't': return {0, 0, 1};
    default: return {};
    }
}

void addSequenceCounts(const ProjectModel &model, Features &out)
{
    out.sequence = model.forwardSequence;
    const qsizetype n = out.sequence.size();
    const size_t blocks = size_t(n / Features::block) + 1;
    out.gc.assign(blocks, 0);
    out.gMinusC.assign(blocks, 0);
    out.called.assign(blocks, 0);
    qint32 gc = 0, skew = 0, called = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (i % Features::block == 0) {
            const size_t k = size_t(i / Features::block);
            out.gc[k] = gc;
            out.gMinusC[k] = skew;
            out.called[k] = called;
        }
        const BaseKind kind = kindOf(out.sequence.at(i));
        gc += kind.gc;
        skew += kind.gMinusC;
        called += kind.called;
    }
    if (n % Features::block == 0) {
        out.gc[blocks - 1] = gc;
        out.gMinusC[blocks - 1] = skew;
        out.called[blocks - 1] = called;
    }
}

} // namespace

QString operonName(int key)
{
    return QObject::tr("Operon %1").arg(key + 1);
}

Features::Counts Features::countsBefore(qint64 n) const
{
    Counts c;
    if (gc.empty())
        return c;
    const size_t k = size_t(n / block);
    c.gc = gc[k];
    c.gMinusC = gMinusC[k];
    c.called = called[k];
    for (qint64 i = qint64(k) * block; i < n; ++i) {
        const BaseKind kind = kindOf(sequence.at(i));
        c.gc += kind.gc;
        c.gMinusC += kind.gMinusC;
        c.called += kind.called;
    }
    return c;
}

Features::Counts Features::countsOf(qint64 first, qint64 last) const
{
    first = std::max<qint64>(first, 1);
    last = std::min<qint64>(last, sequence.size());
    if (last < first)
        return {};
    const Counts a = countsBefore(first - 1);
    const Counts b = countsBefore(last);
    return {b.gc - a.gc, b.gMinusC - a.gMinusC, b.called - a.called};
}

double Features::gcContent(qint64 first, qint64 last) const
{
    const Counts c = countsOf(first, last);
    return c.called > 0 ? double(c.gc) / double(c.called) : -1;
}

double Features::gcSkew(qint64 first, qint64 last) const
{
    const Counts c = countsOf(first, last);
    return c.gc > 0 ? double(c.gMinusC) / double(c.gc) : 0;
}

// Every junction of two neighbouring genes the pair table gives a
// probability for, from the end of the first to the start of the second.
void addLinks(const ProjectModel &model, Features &out)
{
    if (model.operonLinks.isEmpty())
        return;
    for (int g = 0; g + 1 < model.genes.size(); ++g) {
        const GeneEntry &a = model.genes[g];
        const GeneEntry &c = model.genes[g + 1];
        const auto link = model.operonLinks.constFind(a.synonym + QLatin1Char('\t') + c.synonym);
        if (link == model.operonLinks.constEnd())
            continue;
        Feature f;
        f.kind = Kind::Link;
        f.first = std::min(std::max(a.start, a.end), std::min(c.start, c.end));
        f.last = std::max(std::max(a.start, a.end), std::min(c.start, c.end));
        f.strand = strandOf(a.strand);
        f.gene = g;
        f.probability = *link;
        f.label = QString::number(*link, 'f', 2);
        f.tooltip = QObject::tr("<b>%1 \u2013 %2</b><br>probability that they share an operon: %3")
                        .arg(displayName(a).toHtmlEscaped(), displayName(c).toHtmlEscaped())
                        .arg(*link, 0, 'f', 3);
        out.links << f;
    }
}

Features buildFeatures(const ProjectModel &model)
{
    Features out;
    out.genomeLength = std::max<qint64>(model.genomeLength, model.forwardSequence.size());
    out.operonOfGene.fill(-1, model.genes.size());
    if (!model.tuMap.isEmpty()) {
        for (int k = 0; k <= model.tuMap.lastKey(); ++k) {
            // values() holds the most recently inserted unit first, as the tree shows them.
            const QList<TuEntry> units = model.tuMap.values(k);
            QVector<int> all;
            for (int u = 0; u < units.size(); ++u) {
                const QVector<int> genes = membersOf(model, units[u]);
                if (genes.isEmpty())
                    continue;
                all += genes;
                Feature f = unitFeature(model, genes, Kind::Unit);
                f.operon = k;
                f.alternative = units.size() > 1;
                const QString name = f.alternative
                                         ? QObject::tr("%1, Transcript Unit %2").arg(operonName(k)).arg(u + 1)
                                         : operonName(k);
                f.tooltip = QObject::tr("<b>%1</b>%2<br>%3 (%4 strand)<br>%5")
                                .arg(name, f.alternative ? QObject::tr(" (alternative unit)") : QString(),
                                     range(f.first, f.last), QString(f.strand), f.label.toHtmlEscaped());
                out.units << f;
                for (int g : genes)
                    out.operonOfGene[g] = k;
            }
            if (all.isEmpty())
                continue;
            std::sort(all.begin(), all.end());
            all.erase(std::unique(all.begin(), all.end()), all.end());
            Feature operon = unitFeature(model, all, Kind::Operon);
            operon.operon = k;
            operon.label = operonName(k);
            operon.tooltip = QObject::tr("<b>%1</b><br>%2 (%3 strand), %n gene(s), %4", nullptr, int(all.size()))
                                 .arg(operonName(k), range(operon.first, operon.last), QString(operon.strand))
                                 .arg(units.size() > 1 ? QObject::tr("%1 alternative units").arg(units.size())
                                                       : QObject::tr("one unit"));
            out.operons << operon;
        }
    }
    for (int g = 0; g < model.genes.size(); ++g)
        out.genes << geneFeature(model, g, out.operonOfGene[g]);
    addPromoters(model, out);
    addTerminators(model, out);
    addLinks(model, out);
    addSequenceCounts(model, out);
    return out;
}

} // namespace browser
