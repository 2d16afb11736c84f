#include "meridan/evidence/PairSignals.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <string>

namespace meridan::evidence {

namespace {

// How far a promoter may lie inside the upstream gene and still count as
// "in front of" the downstream gene, and how far a hairpin may reach into
// the genes around the gap.
constexpr long kPromoterReach = 50;
constexpr long kHairpinReach = 20;
constexpr double kNoPromoter = -1e9;

CategoryMatch categoryMatch(const TableGene& a, const TableGene& b)
{
    if (a.cog.empty() || b.cog.empty())
        return CategoryMatch::Unknown;
    for (char c : a.cog)
        if (b.cog.find(c) != std::string::npos)
            return CategoryMatch::Shared;
    return CategoryMatch::Different;
}

// The stem of a name of three lower-case letters and an upper-case one
// ("thrA", "nuoN", "yaaX"), "" for any other name.
std::string nameStem(const std::string& name)
{
    const auto lower = [&](std::size_t k) { return std::islower(static_cast<unsigned char>(name[k])) != 0; };
    if (name.size() < 4 || !lower(0) || !lower(1) || !lower(2) || !std::isupper(static_cast<unsigned char>(name[3])))
        return {};
    return name.substr(0, 3);
}

// Words of product descriptions that say nothing about a gene's function.
const std::set<std::string>& fillerWords()
{
    static const std::set<std::string> words{
        "and",       "the",        "for",        "from",          "with",     "into",         "like",
        "protein",   "proteins",   "putative",   "predicted",     "probable", "possible",     "hypothetical",
        "conserved", "uncharacterized", "unknown", "function",    "family",   "domain",       "containing",
        "subunit",   "chain",      "component",  "related",       "similar",  "type",         "fused",
        "system",    "bifunctional", "superfamily", "region",     "dna-binding", "transcriptional",
        "regulator", "regulatory", "membrane",   "inner",         "outer",    "small",        "large"};
    return words;
}

std::set<std::string> productWords(const std::string& product)
{
    std::set<std::string> words;
    std::string word;
    const auto flush = [&] {
        const bool hasLetter = std::any_of(word.begin(), word.end(), [](unsigned char c) { return std::isalpha(c); });
        if (word.size() > 2 && hasLetter && !fillerWords().count(word))
            words.insert(word);
        word.clear();
    };
    for (unsigned char c : product) {
        if (std::isalnum(c) || c == '-' || c == '\'')
            word += char(std::tolower(c));
        else
            flush();
    }
    flush();
    return words;
}

class SignalIndex {
public:
    SignalIndex(const std::vector<PromoterHit>& promoters, const std::vector<TerminatorRow>& terminators)
    {
        for (const auto& h : promoters)
            promoters_[h.synonym].push_back(&h);
        for (const auto& t : terminators)
            terminators_[t.label].push_back(&t);
    }

    // Best promoter score of `gene` whose first box starts no further than
    // `gap` + reach bases before its start codon (kNoPromoter when none lies
    // there); nothing when the gene has no hits at all.
    std::optional<double> promoter(const TableGene& gene, long gap) const
    {
        const auto it = promoters_.find(gene.synonym);
        if (it == promoters_.end())
            return std::nullopt;
        double best = kNoPromoter;
        for (const PromoterHit* h : it->second)
            if (h->start >= -(std::max(gap, 0L) + kPromoterReach))
                best = std::max(best, h->score);
        return best;
    }

    // Best hairpin score after the leading gene whose hairpin starts between
    // `from` and `to` (genome coordinates); 0 when none.
    double terminator(const TableGene& leading, long from, long to) const
    {
        const auto it = terminators_.find(leading.synonym);
        double best = 0.0;
        if (it == terminators_.end())
            return best;
        for (const TerminatorRow* r : it->second) {
            // The scan region starts 10 bases inside the leading gene's 3' end.
            const long at = leading.strand == '+' ? leading.end - 9 + r->start : leading.start + 9 - r->start;
            if (at >= from && at <= to)
                best = std::max(best, r->score);
        }
        return best;
    }

private:
    std::map<std::string, std::vector<const PromoterHit*>> promoters_;
    std::map<std::string, std::vector<const TerminatorRow*>> terminators_;
};

} // namespace

GenomeSignals collectSignals(const std::vector<TableGene>& genes, const std::vector<GeneTagLine>& tags,
                             const std::vector<PromoterHit>& promoters, const std::vector<TerminatorRow>& terminators,
                             const genome::RecordTable& records)
{
    const SignalIndex index(promoters, terminators);
    GenomeSignals out;
    for (std::size_t i = 0; i + 1 < genes.size(); ++i) {
        const TableGene& a = genes[i];
        const TableGene& b = genes[i + 1];
        if (!records.sameRecord(a.start, b.start))
            continue;
        const long gap = b.start - a.end - 1;
        const long from = a.end - kHairpinReach;
        const long to = b.start + kHairpinReach;
        PairSignals s;
        s.row = i;
        s.gap = gap;
        s.category = categoryMatch(a, b);
        s.product = productSimilarity(a.product, b.product);
        s.name = nameMatch(a.name, b.name);
        if (a.length() > 0 && b.length() > 0)
            s.lengthRatio = std::abs(std::log(double(a.length()) / double(b.length())));
        if (a.strand == b.strand) {
            if (a.synonym == b.synonym)
                continue;
            const TableGene& leading = a.strand == '+' ? a : b;
            const TableGene& downstream = a.strand == '+' ? b : a;
            if (tags.size() == genes.size())
                s.engineLink = tags[i].operon == tags[i + 1].operon;
            s.terminator = index.terminator(leading, from, to);
            s.promoter = index.promoter(downstream, gap);
            out.candidates.push_back(s);
        } else if (a.strand == '+') {
            // Convergent genes: both transcripts end here.
            s.orientation = Orientation::Convergent;
            s.terminator = std::max(index.terminator(a, from, to), index.terminator(b, from, to));
            out.boundaries.push_back(s);
        } else {
            // Divergent genes: both transcripts start here.
            s.orientation = Orientation::Divergent;
            s.promoter = index.promoter(a, gap);
            out.boundaries.push_back(s);
            s.promoter = index.promoter(b, gap);
            s.gap.reset();
            s.category = CategoryMatch::Unknown;
            out.boundaries.push_back(s);
        }
    }
    return out;
}

NameMatch nameMatch(const std::string& a, const std::string& b)
{
    const std::string stemA = nameStem(a);
    const std::string stemB = nameStem(b);
    if (stemA.empty() || stemB.empty())
        return NameMatch::Unknown;
    if (stemA != stemB)
        return NameMatch::Different;
    return stemA[0] == 'y' ? NameMatch::SharedProvisionalStem : NameMatch::SharedStem;
}

std::optional<double> productSimilarity(const std::string& a, const std::string& b)
{
    const auto wa = productWords(a);
    const auto wb = productWords(b);
    if (wa.empty() || wb.empty())
        return std::nullopt;
    std::size_t shared = 0;
    for (const auto& w : wa)
        shared += wb.count(w);
    return double(shared) / double(wa.size() + wb.size() - shared);
}

} // namespace meridan::evidence
