#include "meridan/evidence/EvidenceModel.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace meridan::evidence {

namespace {

// Intergenic distance classes in bases (upper bounds, inclusive); beyond the
// last one a final class.
constexpr std::array<long, 14> kGapBounds{-20, -5, -1, 9, 19, 29, 39, 49, 69, 89, 119, 149, 199, 299};

// One kind of evidence as a discrete variable: its class of a pair, or -1
// when the pair lacks it.
struct Feature {
    int classes = 0;
    std::function<int(const PairSignals&)> of;
};

// Upper bounds of `parts` equally filled classes of the values.
std::vector<double> quantileBounds(std::vector<double> values, int parts)
{
    std::vector<double> bounds;
    std::sort(values.begin(), values.end());
    if (values.empty())
        return bounds;
    for (int k = 1; k < parts; ++k)
        bounds.push_back(values[values.size() * std::size_t(k) / std::size_t(parts)]);
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    return bounds;
}

int classOf(double value, const std::vector<double>& bounds)
{
    return int(std::lower_bound(bounds.begin(), bounds.end(), value) - bounds.begin());
}

std::vector<Feature> features(const GenomeSignals& observed, const EvidenceOptions& options)
{
    std::vector<Feature> out;
    if (options.uses(Evidence::Gap))
        out.push_back({int(kGapBounds.size()) + 1, [](const PairSignals& s) {
                           if (!s.gap)
                               return -1;
                           return int(std::lower_bound(kGapBounds.begin(), kGapBounds.end(), *s.gap) -
                                      kGapBounds.begin());
                       }});
    if (options.uses(Evidence::Engine))
        out.push_back({2, [](const PairSignals& s) { return s.engineLink ? int(*s.engineLink) : -1; }});
    if (options.uses(Evidence::Terminator)) {
        // No hairpin, then the genome's hairpin scores in four equal classes.
        std::vector<double> scores;
        for (const auto& s : observed.candidates)
            if (s.terminator && *s.terminator > 0.0)
                scores.push_back(*s.terminator);
        const auto bounds = quantileBounds(scores, 4);
        out.push_back({int(bounds.size()) + 2, [bounds](const PairSignals& s) {
                           if (!s.terminator)
                               return -1;
                           return *s.terminator > 0.0 ? 1 + classOf(*s.terminator, bounds) : 0;
                       }});
    }
    if (options.uses(Evidence::Promoter)) {
        // The genome's promoter scores in five equal classes.
        std::vector<double> scores;
        for (const auto& s : observed.candidates)
            if (s.promoter)
                scores.push_back(*s.promoter);
        const auto bounds = quantileBounds(scores, 5);
        out.push_back({int(bounds.size()) + 1, [bounds](const PairSignals& s) {
                           return s.promoter ? classOf(*s.promoter, bounds) : -1;
                       }});
    }
    if (options.uses(Evidence::Category))
        out.push_back({2, [](const PairSignals& s) {
                           return s.category == CategoryMatch::Unknown ? -1 : int(s.category == CategoryMatch::Shared);
                       }});
    return out;
}

// Class-conditional distributions from weighted counts, one pseudocount per class.
struct Distributions {
    std::vector<std::vector<double>> operon, boundary; // per feature, per class: log probability

    static Distributions fromCounts(const std::vector<std::vector<double>>& operonCounts,
                                    const std::vector<std::vector<double>>& boundaryCounts)
    {
        const auto logs = [](const std::vector<double>& counts) {
            double total = 0.0;
            for (double c : counts)
                total += c + 1.0;
            std::vector<double> out;
            for (double c : counts)
                out.push_back(std::log((c + 1.0) / total));
            return out;
        };
        Distributions d;
        for (std::size_t f = 0; f < operonCounts.size(); ++f) {
            d.operon.push_back(logs(operonCounts[f]));
            d.boundary.push_back(logs(boundaryCounts[f]));
        }
        return d;
    }
};

} // namespace

const char* evidenceName(Evidence e)
{
    switch (e) {
    case Evidence::Gap: return "gap";
    case Evidence::Engine: return "engine";
    case Evidence::Terminator: return "terminator";
    case Evidence::Promoter: return "promoter";
    case Evidence::Category: return "category";
    }
    return "";
}

bool parseEvidenceList(const std::string& text, EvidenceOptions& options, std::string& problem)
{
    options.use.fill(false);
    std::size_t from = 0;
    while (from <= text.size()) {
        const auto comma = std::min(text.find(',', from), text.size());
        const std::string name = text.substr(from, comma - from);
        from = comma + 1;
        if (name.empty())
            continue;
        const auto it = std::find_if(kAllEvidence.begin(), kAllEvidence.end(),
                                     [&](Evidence e) { return name == evidenceName(e); });
        if (it == kAllEvidence.end()) {
            problem = "unknown evidence \"" + name + "\" (known: gap, engine, terminator, promoter, category)";
            return false;
        }
        options.use[static_cast<std::size_t>(*it)] = true;
    }
    return true;
}

EvidenceFit fitEvidence(const GenomeSignals& observed, const EvidenceOptions& options)
{
    const auto feats = features(observed, options);
    const std::size_t n = observed.candidates.size();
    // The class of every observation, computed once.
    std::vector<std::vector<int>> candidateClass(feats.size()), anchorClass(feats.size());
    for (std::size_t f = 0; f < feats.size(); ++f) {
        for (const auto& s : observed.candidates)
            candidateClass[f].push_back(feats[f].of(s));
        for (const auto& s : observed.boundaries)
            anchorClass[f].push_back(feats[f].of(s));
    }
    const auto emptyCounts = [&] {
        std::vector<std::vector<double>> c;
        for (const auto& feat : feats)
            c.emplace_back(std::size_t(feat.classes), 0.0);
        return c;
    };
    std::vector<std::vector<double>> anchorCounts = emptyCounts();
    for (std::size_t f = 0; f < feats.size(); ++f)
        for (int k : anchorClass[f])
            if (k >= 0)
                anchorCounts[f][std::size_t(k)] += 1.0;

    // Start: the boundary class from the anchors alone; the operon class
    // from overlapping pairs, except for the distance itself (flat).
    std::vector<std::vector<double>> operonCounts = emptyCounts();
    for (std::size_t i = 0; i < n; ++i) {
        const auto& s = observed.candidates[i];
        if (!s.gap || *s.gap >= 0)
            continue;
        for (std::size_t f = 0; f < feats.size(); ++f)
            if (int k = candidateClass[f][i]; k >= 0 && !(options.uses(Evidence::Gap) && f == 0))
                operonCounts[f][std::size_t(k)] += 1.0;
    }
    Distributions d = Distributions::fromCounts(operonCounts, anchorCounts);
    double share = 0.5;

    EvidenceFit fit;
    fit.posterior.assign(n, share);
    for (fit.iterations = 1; fit.iterations <= options.maxIterations; ++fit.iterations) {
        // Expectation: the posterior of every candidate pair.
        double moved = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            double logOdds = std::log(share / (1.0 - share));
            for (std::size_t f = 0; f < feats.size(); ++f)
                if (int k = candidateClass[f][i]; k >= 0)
                    logOdds += d.operon[f][std::size_t(k)] - d.boundary[f][std::size_t(k)];
            const double p = 1.0 / (1.0 + std::exp(-logOdds));
            moved = std::max(moved, std::abs(p - fit.posterior[i]));
            fit.posterior[i] = p;
        }
        // Maximisation: share and distributions from the weighted pairs, the
        // anchors always in the boundary class.
        operonCounts = emptyCounts();
        std::vector<std::vector<double>> boundaryCounts = anchorCounts;
        double sum = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            const double p = fit.posterior[i];
            sum += p;
            for (std::size_t f = 0; f < feats.size(); ++f)
                if (int k = candidateClass[f][i]; k >= 0) {
                    operonCounts[f][std::size_t(k)] += p;
                    boundaryCounts[f][std::size_t(k)] += 1.0 - p;
                }
        }
        share = n ? std::clamp(sum / double(n), 0.01, 0.99) : 0.5;
        d = Distributions::fromCounts(operonCounts, boundaryCounts);
        if (moved < options.tolerance)
            break;
    }
    fit.operonShare = share;
    return fit;
}

} // namespace meridan::evidence
