#include "SiteBenchmark.h"

#include <algorithm>
#include <map>
#include <set>

namespace meridan::evaluate {

namespace {

bool strandsAgree(char a, char b) { return a == '.' || b == '.' || a == b; }

// Sorted positions per strand for nearest-site look-ups.
struct SiteIndex {
    std::map<char, std::vector<long>> byStrand;
    explicit SiteIndex(const std::vector<Site>& sites)
    {
        for (const Site& s : sites)
            byStrand[s.strand].push_back(s.position);
        for (auto& [strand, v] : byStrand)
            std::sort(v.begin(), v.end());
    }
    bool near(const Site& s, long window) const { return near(s.position, s.position, s.strand, window); }
    // A site within `window` bases of the extent from..to.
    bool near(long from, long to, char strand, long window) const
    {
        for (const auto& [own, v] : byStrand) {
            if (!strandsAgree(own, strand))
                continue;
            auto it = std::lower_bound(v.begin(), v.end(), from - window);
            if (it != v.end() && *it <= to + window)
                return true;
        }
        return false;
    }
};

char complement(char c)
{
    switch (c) {
    case 'A': return 'T';
    case 'C': return 'G';
    case 'G': return 'C';
    case 'T': return 'A';
    default: return 'N';
    }
}

int mismatches(const std::string& s, std::size_t at, const char* box)
{
    int m = 0;
    for (std::size_t k = 0; box[k]; ++k)
        m += s[at + k] != box[k];
    return m;
}

} // namespace

PromoterFigures comparePromoters(const std::vector<evidence::TableGene>& genes,
                                 const std::vector<evidence::PromoterHit>& hits, const std::vector<Site>& known,
                                 long upstream, long tolerance)
{
    std::map<std::string, std::vector<const evidence::PromoterHit*>> flaggedOf;
    PromoterFigures f;
    const SiteIndex index(known);
    for (const auto& h : hits) {
        if (h.score <= 0.0)
            continue;
        flaggedOf[h.synonym].push_back(&h);
        ++f.hitsFlagged;
        f.hitsNearKnown += index.near(h.from, h.to, h.strand, tolerance);
    }
    std::map<char, std::vector<long>> knownByStrand;
    for (const Site& s : known)
        knownByStrand[s.strand].push_back(s.position);
    std::set<std::string> seen;
    for (const auto& g : genes) {
        if (!seen.insert(g.synonym).second)
            continue;
        ++f.genes;
        const auto it = flaggedOf.find(g.synonym);
        f.genesFlagged += it != flaggedOf.end();
        std::vector<long> starts;
        for (const auto& [strand, positions] : knownByStrand)
            if (strandsAgree(strand, g.strand))
                for (long p : positions) {
                    const long before = g.strand == '+' ? g.startCodon() - p : p - g.startCodon();
                    if (before >= 0 && before <= upstream)
                        starts.push_back(p);
                }
        if (starts.empty())
            continue;
        ++f.genesWithKnown;
        if (it == flaggedOf.end())
            continue;
        bool placed = false;
        for (const auto* h : it->second)
            for (long p : starts)
                placed = placed || (p >= h->from - tolerance && p <= h->to + tolerance);
        f.genesPlaced += placed;
    }
    return f;
}

std::vector<evidence::PromoterHit> consensusScan(const std::string& genome,
                                                 const std::vector<evidence::TableGene>& genes, long region,
                                                 int maxMismatches, long tssOffset)
{
    static constexpr char kMinus35[] = "TTGACA";
    static constexpr char kMinus10[] = "TATAAT";
    const long n = static_cast<long>(genome.size());
    std::vector<evidence::PromoterHit> hits;
    for (const auto& g : genes) {
        // The region read in the gene's direction; index k lies region - k
        // bases before the start codon.
        std::string r;
        r.reserve(std::size_t(region));
        for (long k = 0; k < region; ++k) {
            const long pos = g.strand == '+' ? g.startCodon() - region + k : g.startCodon() + region - k;
            const long wrapped = ((pos - 1) % n + n) % n;
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(genome[std::size_t(wrapped)])));
            r.push_back(g.strand == '+' ? c : complement(c));
        }
        int best = 2 * maxMismatches + 1;
        long bestTen = -1;
        long bestThirtyFive = -1;
        for (long a = 0; a + 6 <= region; ++a) {
            const int m35 = mismatches(r, std::size_t(a), kMinus35);
            if (m35 > maxMismatches)
                continue;
            for (long spacer = 15; spacer <= 19; ++spacer) {
                const long b = a + 6 + spacer;
                if (b + 6 > region)
                    break;
                const int m10 = mismatches(r, std::size_t(b), kMinus10);
                if (m10 > maxMismatches)
                    continue;
                if (m35 + m10 < best || (m35 + m10 == best && b > bestTen)) {
                    best = m35 + m10;
                    bestTen = b;
                    bestThirtyFive = a;
                }
            }
        }
        if (bestTen < 0)
            continue;
        // Region index k lies region - k bases before the start codon.
        const auto genomeAt = [&](long k) {
            return g.strand == '+' ? g.startCodon() - (region - k) : g.startCodon() + (region - k);
        };
        evidence::PromoterHit h;
        h.synonym = g.synonym;
        h.strand = g.strand;
        h.tss = genomeAt(bestTen + 6 - 1 + tssOffset);
        h.start = -(region - bestThirtyFive);
        h.score = 1.0;
        h.from = std::min(genomeAt(bestThirtyFive), genomeAt(bestTen + 5));
        h.to = std::max(genomeAt(bestThirtyFive), genomeAt(bestTen + 5));
        hits.push_back(h);
    }
    return hits;
}

std::vector<Site> terminatorEnds(const std::vector<evidence::TableGene>& genes,
                                 const std::vector<evidence::TerminatorRow>& rows, double cut)
{
    std::map<std::string, const evidence::TableGene*> geneOf;
    for (const auto& g : genes)
        geneOf.emplace(g.synonym, &g);
    std::vector<Site> ends;
    for (const auto& r : rows) {
        if (r.score <= cut)
            continue;
        const auto it = geneOf.find(r.label);
        if (it == geneOf.end())
            continue;
        const evidence::TableGene& g = *it->second;
        // The scan region starts 10 bases inside the leading gene's 3' end.
        const long last = r.start + r.length() - 1;
        ends.push_back(g.strand == '+' ? Site{g.end - 9 + last, '+'} : Site{g.start + 9 - last, '-'});
    }
    return ends;
}

SiteFigures compareSites(const std::vector<Site>& known, const std::vector<Site>& predicted, long window)
{
    SiteFigures f;
    const SiteIndex predictedIndex(predicted);
    const SiteIndex knownIndex(known);
    f.known = known.size();
    f.predicted = predicted.size();
    for (const Site& s : known)
        f.knownFound += predictedIndex.near(s, window);
    for (const Site& s : predicted)
        f.predictedNear += knownIndex.near(s, window);
    return f;
}

} // namespace meridan::evaluate
