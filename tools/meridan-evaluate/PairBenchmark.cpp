#include "PairBenchmark.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace meridan::evaluate {

namespace {

// Calls judge(a, b) for every pair of adjacent same-strand genes with
// distinct locus tags and keeps its verdict for the pair (i, i+1); every
// other pair stays Unknown.
template <class Judge>
std::vector<PairTruth> judgeNeighbours(const std::vector<evidence::TableGene>& genes, Judge judge)
{
    std::vector<PairTruth> out(genes.size(), PairTruth::Unknown);
    for (std::size_t i = 0; i + 1 < genes.size(); ++i)
        if (genes[i].strand == genes[i + 1].strand && genes[i].synonym != genes[i + 1].synonym)
            out[i] = judge(genes[i], genes[i + 1]);
    return out;
}

} // namespace

std::vector<PairTruth> knownPairs(const std::vector<evidence::TableGene>& genes,
                                  const std::vector<KnownUnit>& units)
{
    std::map<std::string, std::set<std::size_t>> unitsOf;
    for (std::size_t u = 0; u < units.size(); ++u)
        for (const std::string& g : units[u].genes)
            unitsOf[g].insert(u);
    const auto of = [&](const std::string& tag) {
        const auto it = unitsOf.find(tag);
        return it == unitsOf.end() ? std::set<std::size_t>{} : it->second;
    };

    return judgeNeighbours(genes, [&](const evidence::TableGene& a, const evidence::TableGene& b) {
        const auto ua = of(a.synonym);
        const auto ub = of(b.synonym);
        bool same = false;
        bool edge = false;
        for (std::size_t u : ua) {
            if (ub.count(u))
                same = same || units[u].genes.size() > 1;
            else
                edge = true;
        }
        for (std::size_t u : ub)
            if (!ua.count(u))
                edge = true;
        return same ? PairTruth::Same : edge ? PairTruth::Boundary : PairTruth::Unknown;
    });
}

std::vector<bool> linksOfGeneTags(const std::vector<evidence::TableGene>& genes,
                                  const std::vector<evidence::TableGene>& taggedGenes,
                                  const std::vector<evidence::GeneTagLine>& tags)
{
    std::map<std::string, long> operonOf;
    for (std::size_t i = 0; i < taggedGenes.size() && i < tags.size(); ++i)
        operonOf.emplace(taggedGenes[i].synonym, tags[i].operon);
    std::vector<bool> links(genes.size(), false);
    for (std::size_t i = 0; i + 1 < genes.size(); ++i) {
        const auto a = operonOf.find(genes[i].synonym);
        const auto b = operonOf.find(genes[i + 1].synonym);
        links[i] = a != operonOf.end() && b != operonOf.end() && a->second == b->second;
    }
    return links;
}

std::vector<bool> linksOfDistance(const std::vector<evidence::TableGene>& genes, long maxGap)
{
    std::vector<bool> links(genes.size(), false);
    for (std::size_t i = 0; i + 1 < genes.size(); ++i)
        links[i] = genes[i].strand == genes[i + 1].strand && genes[i + 1].start - genes[i].end - 1 < maxGap;
    return links;
}

std::vector<PairTruth> pairsAtKnownEnds(const std::vector<evidence::TableGene>& genes, const std::vector<Site>& ends,
                                        long reach)
{
    std::vector<Site> sorted = ends;
    std::sort(sorted.begin(), sorted.end(), [](const Site& a, const Site& b) { return a.position < b.position; });
    return judgeNeighbours(genes, [&](const evidence::TableGene& a, const evidence::TableGene& b) {
        const long from = std::min(a.end, b.start) - reach;
        const long to = std::max(a.end, b.start) + reach;
        auto it = std::lower_bound(sorted.begin(), sorted.end(), from,
                                   [](const Site& s, long p) { return s.position < p; });
        for (; it != sorted.end() && it->position <= to; ++it)
            if (it->strand == '.' || it->strand == a.strand)
                return PairTruth::Boundary;
        return PairTruth::Same;
    });
}

PairCounts comparePairs(const std::vector<PairTruth>& truth, const std::vector<bool>& predicted)
{
    PairCounts counts;
    for (std::size_t i = 0; i < truth.size() && i < predicted.size(); ++i)
        if (truth[i] != PairTruth::Unknown)
            counts.add(truth[i] == PairTruth::Same, predicted[i]);
    return counts;
}

SpanFigures compareSpans(const std::vector<evidence::TableGene>& genes, const std::vector<KnownUnit>& units,
                         const std::vector<std::vector<long>>& predictedMembers)
{
    std::map<std::string, long> rowOf;
    for (std::size_t i = 0; i < genes.size(); ++i)
        rowOf.emplace(genes[i].synonym, long(i));
    std::set<std::pair<long, long>> known;
    for (const KnownUnit& u : units) {
        long first = -1, last = -1;
        bool complete = true;
        for (const std::string& g : u.genes) {
            const auto it = rowOf.find(g);
            if (it == rowOf.end()) {
                complete = false;
                break;
            }
            first = first < 0 ? it->second : std::min(first, it->second);
            last = std::max(last, it->second);
        }
        if (complete && first >= 0)
            known.insert({first, last});
    }
    std::set<std::pair<long, long>> predicted;
    for (const auto& members : predictedMembers)
        if (!members.empty())
            predicted.insert({*std::min_element(members.begin(), members.end()),
                              *std::max_element(members.begin(), members.end())});
    SpanFigures f;
    f.known = known.size();
    f.predicted = predicted.size();
    for (const auto& span : known)
        f.knownFound += predicted.count(span);
    f.predictedKnown = f.knownFound;
    return f;
}

} // namespace meridan::evaluate
