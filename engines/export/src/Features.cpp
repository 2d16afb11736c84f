#include "meridan/export/Features.h"

#include "meridan/genome/GenomeSequence.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

namespace meridan::exports {

using results::GeneIndexRow;
using results::PromoterRow;
using results::SigmaHit;
using results::TerminatorRow;
using results::TuRow;

std::string reverseComplement(const std::string& bases)
{
    return genome::reverseComplementOf(bases, 'N', genome::LowerCaseBases::UpperCased);
}

std::string basesAt(const GenomeText& genome, const Span& span)
{
    const long size = static_cast<long>(genome.sequence.size());
    if (span.start < 1 || span.start > size || span.length() < 1 || span.length() > size)
        return {};
    std::string forward;
    if (span.end <= size)
        forward = genome.sequence.substr(static_cast<std::size_t>(span.start - 1), static_cast<std::size_t>(span.length()));
    else if (genome.circular)
        forward = genome.sequence.substr(static_cast<std::size_t>(span.start - 1)) +
                  genome.sequence.substr(0, static_cast<std::size_t>(span.end - size));
    else
        return {};
    return span.strand == '-' ? reverseComplement(forward) : forward;
}

RecordPlace onRecord(const GenomeFeatures& features, const Span& span)
{
    const auto first = features.records.locate(span.start);
    if (!features.records.joined() || !first)
        return {features.seqid, span};
    const long shift = static_cast<long>(features.records.records[first->record].start) - 1;
    return {features.records.records[first->record].id, Span{span.start - shift, span.end - shift, span.strand}};
}

namespace {

// Bases of a result file against the genome's: case does not matter, and an
// N in the result stands for whatever base the engine could not read.
bool sameBases(const std::string& expected, const std::string& genome)
{
    if (expected.size() != genome.size())
        return false;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const char e = static_cast<char>(std::toupper(static_cast<unsigned char>(expected[i])));
        const char g = static_cast<char>(std::toupper(static_cast<unsigned char>(genome[i])));
        if (e != g && e != 'N')
            return false;
    }
    return true;
}

// The operon number padded as the TU builder pads it (7 -> 0007).
std::string padded(long number)
{
    std::string text = std::to_string(number);
    if (text.size() < 4)
        text.insert(0, 4 - text.size(), '0');
    return text;
}

// Promoter names as the promoter library writes synonyms: "-" for none,
// blanks as "_".
std::string promoterName(const std::string& synonym)
{
    if (synonym.empty())
        return "-";
    std::string name = synonym;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

class Placer {
public:
    Placer(const GenomeResults& results, const GenomeText& genome, const ExportOptions& options)
        : r_(results), genome_(genome), options_(options)
    {
        f_.genomeId = results.genomeId;
        f_.seqid = genome.seqid.empty() ? results.genomeId : genome.seqid;
        f_.genomeLength = genome.sequence.empty() ? genome.length : static_cast<long>(genome.sequence.size());
        f_.circular = genome.circular && !genome.records.joined();
        f_.records = genome.records;
        for (const auto& pair : results.operonPairs)
            linkProbability_[{pair.first, pair.second}] = pair.probability;
    }

    GenomeFeatures run()
    {
        placeGenes();
        placePromoters();
        placeTerminators();
        placeOperons();
        placeTus();
        return std::move(f_);
    }

private:
    long length() const { return f_.genomeLength; }
    bool checkable() const { return !genome_.sequence.empty(); }

    void warn(const std::string& text) { f_.warnings.push_back(text); }

    // False for a span reaching past its record's end on a joined genome.
    bool onOneRecord(const Span& span) const
    {
        const auto first = f_.records.locate(span.start);
        const auto last = f_.records.locate(span.end);
        return !f_.records.joined() || (first && last && first->record == last->record);
    }

    std::string uniqueId(const std::string& wanted)
    {
        std::string id = wanted;
        for (int k = 2; !ids_.insert(id).second; ++k)
            id = wanted + "#" + std::to_string(k);
        return id;
    }

    // The span of forward positions first..last (first may lie before 1 or
    // past the end: the genome is circular), or nothing when it cannot be
    // placed.
    std::optional<Span> forward(long first, long last, char strand) const
    {
        if (last < first)
            return std::nullopt;
        const long n = length();
        if (n > 0) {
            if (last - first + 1 > n)
                return std::nullopt;
            const long start = ((first - 1) % n + n) % n + 1;
            const Span span{start, start + (last - first), strand};
            if (span.end > n && !f_.circular)
                return std::nullopt;
            return span;
        }
        if (first < 1)
            return std::nullopt;
        return Span{first, last, strand};
    }

    // Offsets o1 <= o2 counted from position origin in the direction of strand.
    std::optional<Span> along(long origin, char strand, long o1, long o2) const
    {
        return strand == '+' ? forward(origin + o1, origin + o2, '+') : forward(origin - o2, origin - o1, '-');
    }

    // The first base of a span in its strand's direction, on the genome.
    long firstBase(const Span& span) const
    {
        const long pos = span.strand == '+' ? span.start : span.end;
        return length() > 0 && pos > length() ? pos - length() : pos;
    }

    void placeGenes()
    {
        for (const GeneIndexRow& g : r_.genes) {
            GeneFeature gene;
            gene.index = g.geneIndex;
            gene.locusTag = g.synonym;
            gene.name = g.name.empty() || g.name == "-" ? g.synonym : g.name;
            std::optional<Span> span;
            if (g.from <= g.to)
                span = (length() == 0 || g.to <= length()) ? std::optional<Span>(Span{g.from, g.to, g.strand}) : std::nullopt;
            else if (length() > 0 && f_.circular && g.from <= length())
                span = Span{g.from, g.to + length(), g.strand}; // across the origin
            if (!span)
                warn("gene " + std::to_string(g.geneIndex) + " (" + g.synonym + ") at " + g.location +
                     " does not lie on the genome; its results are left out");
            gene.span = span.value_or(Span{0, -1, g.strand});
            placed_.push_back(span.has_value());
            f_.genes.push_back(std::move(gene));
            bySynonym_[g.synonym].push_back(static_cast<std::size_t>(g.geneIndex));
            byPromoterName_[promoterName(g.synonym)].push_back(static_cast<std::size_t>(g.geneIndex));
        }
    }

    // The sigma factor's score file line the merged row came from.
    const SigmaHit* sigmaHitOf(const PromoterRow& row, std::string& sigma) const
    {
        for (std::size_t k = 0; k < r_.sigmaHits.size(); ++k) {
            for (const SigmaHit& hit : r_.sigmaHits[k]) {
                if (hit.synonym == row.name && hit.start == row.start && hit.firstBox == row.firstBox &&
                    hit.twoBoxes == row.twoBoxes() && (!hit.twoBoxes || hit.secondBox == row.secondBox) &&
                    std::abs(hit.score - row.score) <= 1e-5 * std::max(1.0, std::abs(row.score))) {
                    sigma = std::string(results::kSigmaFactors[k]);
                    return &hit;
                }
            }
        }
        return nullptr;
    }

    // Places a feature on the first of the genes index holds under key that
    // place(gene) finds it on, and hands it to keep(gene, feature); false
    // when it fits none of them.
    template <typename Index, typename Place, typename Keep>
    static bool placeOnFirstGene(const Index& index, const std::string& key, Place place, Keep keep)
    {
        const auto candidates = index.find(key);
        if (candidates == index.end())
            return false;
        for (std::size_t gene : candidates->second) {
            if (auto feature = place(gene)) {
                keep(gene, std::move(*feature));
                return true;
            }
        }
        return false;
    }

    void placePromoters()
    {
        for (const PromoterRow& row : r_.promoters) {
            if (!(row.score > options_.promoterCut))
                continue;
            std::string sigma;
            const SigmaHit* hit = sigmaHitOf(row, sigma);
            const bool placedOne = placeOnFirstGene(
                byPromoterName_, row.name, [&](std::size_t gene) { return placePromoter(row, gene, hit); },
                [&](std::size_t gene, PromoterFeature p) {
                    p.id = uniqueId("promoter:" + row.name);
                    p.sigma = sigma;
                    promoterOfGene_.emplace(gene, f_.promoters.size());
                    f_.promoters.push_back(std::move(p));
                });
            if (!placedOne)
                warn("promoter of " + row.name + " (promoter table line " + std::to_string(row.line) +
                     ") matches no gene on the genome; left out");
        }
    }

    std::optional<PromoterFeature> placePromoter(const PromoterRow& row, std::size_t gene, const SigmaHit* hit) const
    {
        if (!placed_[gene])
            return std::nullopt;
        const GeneIndexRow& g = r_.genes[gene];
        const long startCodon = g.strand == '+' ? g.from : g.to;
        const long len1 = static_cast<long>(row.firstBox.size());
        PromoterFeature p;
        p.gene = static_cast<long>(gene);
        p.score = row.score;
        const auto span = along(startCodon, g.strand, row.start, row.end - 1);
        std::optional<Span> box10;
        if (row.twoBoxes()) {
            const auto box35 = along(startCodon, g.strand, row.start, row.start + len1 - 1);
            box10 = along(startCodon, g.strand, row.end - static_cast<long>(row.secondBox.size()), row.end - 1);
            if (!box35)
                return std::nullopt;
            p.box35 = box35;
            p.box35Text = row.firstBox;
            p.box10Text = row.secondBox;
        } else {
            box10 = span;
            p.box10Text = row.firstBox;
        }
        if (!span || !box10 || !onOneRecord(*span))
            return std::nullopt;
        p.span = *span;
        p.box10 = *box10;
        const Span& first = p.box35 ? *p.box35 : p.box10;
        if (hit && firstBase(first) != hit->firstBoxPosition)
            return std::nullopt;
        if (checkable() && (!sameBases(p.box10Text, basesAt(genome_, p.box10)) ||
                            (p.box35 && !sameBases(p.box35Text, basesAt(genome_, *p.box35)))))
            return std::nullopt;
        return p;
    }

    void placeTerminators()
    {
        for (const TerminatorRow& row : r_.terminators) {
            const bool placedOne = placeOnFirstGene(
                bySynonym_, row.label, [&](std::size_t gene) { return placeTerminator(row, gene); },
                [&](std::size_t gene, TerminatorFeature t) {
                    t.id = uniqueId("terminator:" + row.label);
                    terminatorOfGene_.emplace(gene, f_.terminators.size());
                    f_.terminators.push_back(std::move(t));
                });
            if (!placedOne)
                warn("terminator after " + row.label + " (terminator table line " + std::to_string(row.line) +
                     ") matches no gene on the genome; left out");
        }
    }

    // The scan region of a gene pair starts 10 bases inside the 3' end of
    // the gene the pair is labelled with and runs in its direction of
    // transcription, cut off where the genome ends (never across the origin).
    std::optional<TerminatorFeature> placeTerminator(const TerminatorRow& row, std::size_t gene) const
    {
        if (!placed_[gene])
            return std::nullopt;
        const GeneIndexRow& g = r_.genes[gene];
        const long n = length();
        long first = 0;
        long last = 0;
        if (g.strand == '+') {
            const long regionStart = std::clamp(g.to - 10, 0L, n > 0 ? n : g.to) + 1;
            first = regionStart + row.start;
            last = first + row.length() - 1;
        } else {
            const long regionStart = n > 0 ? std::min(g.from + 9, n) : g.from + 9;
            last = regionStart - row.start;
            first = last - row.length() + 1;
        }
        if (first < 1 || (n > 0 && last > n) || !onOneRecord(Span{first, last, g.strand}))
            return std::nullopt;
        TerminatorFeature t;
        t.gene = static_cast<long>(gene);
        t.score = row.score;
        t.span = Span{first, last, g.strand};
        t.hairpin = g.strand == '+' ? Span{first, first + row.hairpinLength() - 1, '+'}
                                    : Span{last - row.hairpinLength() + 1, last, '-'};
        t.stem = row.stem;
        t.loop = row.loop;
        t.tail = row.tail;
        t.sequence = row.sequence;
        if (checkable() && !sameBases(row.sequence, basesAt(genome_, t.span)))
            return std::nullopt;
        return t;
    }

    // The smallest span holding every gene of the list (placed genes only).
    std::optional<Span> cover(const std::vector<long>& genes) const
    {
        std::optional<Span> span;
        for (long index : genes) {
            const Span& s = f_.genes[static_cast<std::size_t>(index)].span;
            if (!span)
                span = s;
            span->start = std::min(span->start, s.start);
            span->end = std::max(span->end, s.end);
        }
        return span;
    }

    void placeOperons()
    {
        std::map<long, std::vector<long>> operons;
        for (const GeneIndexRow& g : r_.genes)
            if (g.operonNumber >= 0 && placed_[static_cast<std::size_t>(g.geneIndex)])
                operons[g.operonNumber].push_back(g.geneIndex);
        for (auto& [number, genes] : operons) {
            const char strand = r_.genes[static_cast<std::size_t>(genes.front())].strand;
            const bool oneStrand = std::all_of(genes.begin(), genes.end(), [&](long i) {
                return r_.genes[static_cast<std::size_t>(i)].strand == strand;
            });
            if (!oneStrand) {
                warn("operon " + padded(number) + " holds genes of both strands; left out");
                continue;
            }
            OperonFeature op;
            op.span = *cover(genes);
            if (!onOneRecord(op.span)) {
                warn("operon " + padded(number) + " holds genes of two records; left out");
                continue;
            }
            op.id = uniqueId("operon:" + padded(number));
            op.number = number;
            op.weakestLink = weakestLink(genes);
            op.genes = std::move(genes);
            operonIndex_.emplace(number, f_.operons.size());
            f_.operons.push_back(std::move(op));
        }
    }

    // The weakest link of an operon's genes in the pair table; nothing
    // without the table, for a single gene, or when a link is not in it.
    std::optional<double> weakestLink(const std::vector<long>& genes) const
    {
        if (r_.operonPairs.empty() || genes.size() < 2)
            return std::nullopt;
        std::optional<double> weakest;
        for (std::size_t k = 0; k + 1 < genes.size(); ++k) {
            const auto it = linkProbability_.find({r_.genes[std::size_t(genes[k])].synonym,
                                                    r_.genes[std::size_t(genes[k + 1])].synonym});
            if (it == linkProbability_.end())
                return std::nullopt;
            weakest = std::min(weakest.value_or(1.0), it->second);
        }
        return weakest;
    }

    void placeTus()
    {
        for (const TuRow& row : r_.tus) {
            TuFeature tu;
            tu.name = row.name;
            tu.operonNumber = row.operonNumber;
            tu.ordinal = row.ordinal;
            tu.alternative = row.alternative();
            std::string why;
            for (const results::TuMember& m : row.members) {
                if (m.geneIndex >= static_cast<long>(f_.genes.size()))
                    why = "gene index " + std::to_string(m.geneIndex) + " is not in the gene table";
                else if (!placed_[static_cast<std::size_t>(m.geneIndex)])
                    why = "gene " + std::to_string(m.geneIndex) + " does not lie on the genome";
                else if (r_.genes[static_cast<std::size_t>(m.geneIndex)].strand != row.strand)
                    why = "gene " + std::to_string(m.geneIndex) + " lies on the other strand";
                tu.genes.push_back(m.geneIndex);
            }
            if (row.operonNumber < 0)
                why = "its genes have no operon";
            else if (why.empty() && !onOneRecord(*cover(tu.genes)))
                why = "its genes lie on two records";
            if (!why.empty()) {
                warn("TU " + row.name + " (TU list line " + std::to_string(row.line) + "): " + why + "; left out");
                continue;
            }
            std::sort(tu.genes.begin(), tu.genes.end());
            tu.genes.erase(std::unique(tu.genes.begin(), tu.genes.end()), tu.genes.end());
            tu.id = uniqueId("tu:" + row.name);
            tu.span = *cover(tu.genes);
            tu.span.strand = row.strand;
            if (const auto op = operonIndex_.find(row.operonNumber); op != operonIndex_.end())
                tu.operon = op->second;
            const long head = row.strand == '+' ? tu.genes.front() : tu.genes.back();
            const long tail = row.strand == '+' ? tu.genes.back() : tu.genes.front();
            if (const auto p = promoterOfGene_.find(static_cast<std::size_t>(head)); p != promoterOfGene_.end())
                tu.promoter = p->second;
            if (const auto t = terminatorOfGene_.find(static_cast<std::size_t>(tail)); t != terminatorOfGene_.end())
                tu.terminator = t->second;
            f_.tus.push_back(std::move(tu));
        }
    }

    const GenomeResults& r_;
    const GenomeText& genome_;
    const ExportOptions& options_;
    GenomeFeatures f_;
    std::vector<bool> placed_;
    std::map<std::string, std::vector<std::size_t>> bySynonym_;
    std::map<std::string, std::vector<std::size_t>> byPromoterName_;
    std::map<std::size_t, std::size_t> promoterOfGene_;
    std::map<std::size_t, std::size_t> terminatorOfGene_;
    std::map<long, std::size_t> operonIndex_;
    std::map<std::pair<std::string, std::string>, double> linkProbability_; // by the locus tags of a pair
    std::set<std::string> ids_;
};

} // namespace

GenomeFeatures placeFeatures(const GenomeResults& results, const GenomeText& genome, const ExportOptions& options)
{
    GenomeFeatures features = Placer(results, genome, options).run();
    features.seed = options.seed;
    return features;
}

} // namespace meridan::exports
