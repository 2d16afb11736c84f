#include "meridan/evidence/EvidenceModel.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace meridan::evidence {

namespace {

// Intergenic distance classes in bases (upper bounds, inclusive); beyond the
// last one a final class.
constexpr std::array<long, 18> kGapBounds{-21, -5, -1, 9, 19, 29, 39, 49, 59, 69, 79, 89, 99, 119, 149, 199, 299, 499};
// Fewer gaps than this on either side of the mixture leave the distance silent.
constexpr std::size_t kMinGaps = 10;
// Share of the plain same-strand distribution mixed into both class
// distributions of the distance: bounds every ratio (a boundary can sit at
// any distance) and smooths classes with few observations.
constexpr double kGapShrink = 0.05;

int gapClass(long gap)
{
    return int(std::lower_bound(kGapBounds.begin(), kGapBounds.end(), gap) - kGapBounds.begin());
}

std::vector<double> normalised(std::vector<double> counts)
{
    double total = 0.0;
    for (double c : counts)
        total += c;
    if (total > 0.0)
        for (double& c : counts)
            c /= total;
    return counts;
}

// One kind of evidence as a discrete variable: its class of a pair, or -1
// when the pair lacks it.
struct Feature {
    Evidence kind = Evidence::Gap;
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

// The candidates' values of one evidence in `parts` equally filled classes.
Feature quantileFeature(const GenomeSignals& observed, int parts,
                        const std::function<std::optional<double>(const PairSignals&)>& value)
{
    std::vector<double> values;
    for (const auto& s : observed.candidates)
        if (const auto v = value(s))
            values.push_back(*v);
    const auto bounds = quantileBounds(values, parts);
    return {Evidence::Gap, int(bounds.size()) + 1, [bounds, value](const PairSignals& s) {
                const auto v = value(s);
                return v ? classOf(*v, bounds) : -1;
            }};
}

// What the panel says of a pair: nothing (no genome holds homologues of
// both genes), kept together in none of the genomes that do, in a few, or in
// five or more.
int panelClass(const PairSignals& s)
{
    if (!s.panel)
        return 0;
    return s.panelConserved == 0 ? 1 : s.panelConserved <= 4 ? 2 : 3;
}

// The evidence besides the distance, as discrete variables.
std::vector<Feature> features(const GenomeSignals& observed, const EvidenceOptions& options)
{
    std::vector<Feature> out;
    const auto add = [&](Evidence kind, Feature f) {
        f.kind = kind;
        out.push_back(std::move(f));
    };
    if (options.uses(Evidence::Engine))
        add(Evidence::Engine, {Evidence::Engine, 2, [](const PairSignals& s) { return s.engineLink ? int(*s.engineLink) : -1; }});
    if (options.uses(Evidence::Terminator)) {
        // No hairpin, then the genome's hairpin scores in four equal classes.
        std::vector<double> scores;
        for (const auto& s : observed.candidates)
            if (s.terminator && *s.terminator > 0.0)
                scores.push_back(*s.terminator);
        const auto bounds = quantileBounds(scores, 4);
        add(Evidence::Terminator, {Evidence::Terminator, int(bounds.size()) + 2, [bounds](const PairSignals& s) {
                           if (!s.terminator)
                               return -1;
                           return *s.terminator > 0.0 ? 1 + classOf(*s.terminator, bounds) : 0;
                       }});
    }
    if (options.uses(Evidence::Promoter))
        add(Evidence::Promoter, quantileFeature(observed, 5, [](const PairSignals& s) { return s.promoter; }));
    if (options.uses(Evidence::Category))
        add(Evidence::Category, {Evidence::Category, 3, [](const PairSignals& s) { return int(s.category); }});
    if (options.uses(Evidence::Product))
        add(Evidence::Product, {Evidence::Product, 3, [](const PairSignals& s) {
                           if (!s.product)
                               return -1;
                           return *s.product <= 0.0 ? 0 : *s.product < 0.25 ? 1 : 2;
                       }});
    // Genes named alike are the genes that stay together in other genomes:
    // with a panel, the name stems and the panel's conservation are one joint
    // evidence rather than two independent ones, which would count what they
    // share twice.
    const bool joint = options.uses(Evidence::Name) && options.uses(Evidence::Panel) &&
                       std::any_of(observed.candidates.begin(), observed.candidates.end(),
                                   [](const PairSignals& s) { return s.panel.has_value(); });
    if (options.uses(Evidence::Name) && !joint)
        add(Evidence::Name, {Evidence::Name, 3, [](const PairSignals& s) {
                           return s.name == NameMatch::Unknown ? -1 : int(s.name) - int(NameMatch::Different);
                       }});
    if (options.uses(Evidence::Length))
        add(Evidence::Length, quantileFeature(observed, 5, [](const PairSignals& s) { return s.lengthRatio; }));
    if (joint)
        add(Evidence::Panel, {Evidence::Panel, 16, [](const PairSignals& s) {
                           return 4 * (s.name == NameMatch::Unknown ? 0 : int(s.name)) + panelClass(s);
                       }});
    else if (options.uses(Evidence::Panel))
        add(Evidence::Panel, {Evidence::Panel, 4, [](const PairSignals& s) { return s.panel ? panelClass(s) : -1; }});
    return out;
}

// Log-likelihood ratio (operon against boundary) per class of one feature
// from weighted counts, one pseudocount per class.
std::vector<double> logRatios(const std::vector<double>& operonCounts, const std::vector<double>& boundaryCounts)
{
    double operonTotal = 0.0, boundaryTotal = 0.0;
    for (std::size_t k = 0; k < operonCounts.size(); ++k) {
        operonTotal += operonCounts[k] + 1.0;
        boundaryTotal += boundaryCounts[k] + 1.0;
    }
    std::vector<double> out;
    for (std::size_t k = 0; k < operonCounts.size(); ++k)
        out.push_back(std::log((operonCounts[k] + 1.0) / operonTotal) -
                      std::log((boundaryCounts[k] + 1.0) / boundaryTotal));
    return out;
}

double logistic(double logOdds)
{
    return 1.0 / (1.0 + std::exp(-std::clamp(logOdds, -50.0, 50.0)));
}

} // namespace

const char* evidenceName(Evidence e)
{
    switch (e) {
    case Evidence::Gap: return "gap";
    case Evidence::Engine: return "engine";
    case Evidence::Terminator: return "terminator";
    case Evidence::Promoter: return "promoter";
    case Evidence::Category: return "category";
    case Evidence::Product: return "product";
    case Evidence::Length: return "length";
    case Evidence::Name: return "name";
    case Evidence::Panel: return "panel";
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
            problem = "unknown evidence \"" + name +
                      "\" (known: gap, engine, terminator, promoter, category, product, length, name, panel)";
            return false;
        }
        options.use[static_cast<std::size_t>(*it)] = true;
    }
    return true;
}

double GapModel::at(long gap) const
{
    if (ratio.empty())
        return 0.0;
    const auto k = std::size_t(std::lower_bound(bounds.begin(), bounds.end(), gap) - bounds.begin());
    return ratio[std::min(k, ratio.size() - 1)];
}

GapModel fitGapModel(const GenomeSignals& observed)
{
    GapModel model;
    model.bounds.assign(kGapBounds.begin(), kGapBounds.end());
    const std::size_t classes = kGapBounds.size() + 1;

    std::vector<long> convergent, divergent;
    for (const auto& s : observed.boundaries)
        if (s.gap)
            (s.orientation == Orientation::Divergent ? divergent : convergent).push_back(*s.gap);
    std::vector<double> same(classes, 0.0);
    std::size_t sameCount = 0;
    for (const auto& s : observed.candidates)
        if (s.gap) {
            same[std::size_t(gapClass(*s.gap))] += 1.0;
            ++sameCount;
        }

    // The boundary class: a convergent gap (one transcript end's stretch:
    // convergent genes mostly share one terminator) plus half a divergent gap
    // (one promoter region) over all their combinations, or the
    // opposite-strand gaps themselves when one orientation is too rare to
    // combine. The mean of the two gaps instead, which counts a convergent
    // gap as two ends, put too many boundaries at 60-100 bases and cost MCC
    // on every benchmark genome.
    std::vector<double> boundary(classes, 0.0);
    if (convergent.size() >= kMinGaps && divergent.size() >= kMinGaps) {
        for (long c : convergent)
            for (long d : divergent)
                boundary[std::size_t(gapClass(long(std::floor(double(c) + double(d) / 2.0))))] += 1.0;
    } else if (convergent.size() + divergent.size() >= kMinGaps) {
        for (const auto* side : {&convergent, &divergent})
            for (long g : *side)
                boundary[std::size_t(gapClass(g))] += 1.0;
    }
    if (sameCount < kMinGaps || std::all_of(boundary.begin(), boundary.end(), [](double c) { return c == 0.0; }))
        return model; // the distance says nothing
    boundary = normalised(boundary);
    same = normalised(same);

    // Boundary share of the same-strand pairs: their share beyond the
    // boundary class's median, relative to the boundary class's own.
    std::size_t median = 0;
    for (double cumulative = 0.0; median < classes; ++median)
        if ((cumulative += boundary[median]) >= 0.5)
            break;
    double sameTail = 0.0, boundaryTail = 0.0;
    for (std::size_t k = median + 1; k < classes; ++k) {
        sameTail += same[k];
        boundaryTail += boundary[k];
    }
    const double boundaryShare = boundaryTail > 0.0 ? std::clamp(sameTail / boundaryTail, 0.05, 0.95) : 0.5;
    model.operonShare = 1.0 - boundaryShare;

    // The operon class: what the boundary class leaves of the same-strand
    // distribution, non-increasing beyond its peak.
    std::vector<double> operon(classes);
    for (std::size_t k = 0; k < classes; ++k)
        operon[k] = std::max(0.0, same[k] - boundaryShare * boundary[k]);
    const auto peak = std::size_t(std::max_element(operon.begin(), operon.end()) - operon.begin());
    for (std::size_t k = peak + 1; k < classes; ++k)
        operon[k] = std::min(operon[k], operon[k - 1]);
    operon = normalised(operon);

    for (std::size_t k = 0; k < classes; ++k) {
        const double o = (1.0 - kGapShrink) * operon[k] + kGapShrink * same[k] + 1e-6;
        const double b = (1.0 - kGapShrink) * boundary[k] + kGapShrink * same[k] + 1e-6;
        model.ratio.push_back(std::log(o / b));
    }
    return model;
}

EvidenceFit fitEvidence(const GenomeSignals& observed, const EvidenceOptions& options)
{
    const GapModel gaps = fitGapModel(observed);
    const auto feats = features(observed, options);
    const std::size_t n = observed.candidates.size();
    // The distance's ratio and the class of every other evidence, computed once.
    std::vector<double> gapRatio(n, 0.0);
    std::vector<std::vector<int>> classOfPair(feats.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto& s = observed.candidates[i];
        if (s.gap)
            gapRatio[i] = gaps.at(*s.gap);
        for (std::size_t f = 0; f < feats.size(); ++f)
            classOfPair[f].push_back(feats[f].of(s));
    }
    const bool useGap = options.uses(Evidence::Gap);

    EvidenceFit fit;
    std::array<double, kEvidenceKinds> none;
    none.fill(std::numeric_limits<double>::quiet_NaN());
    fit.contribution.assign(n, none);
    if (gaps.ratio.empty()) {
        // Too few genes to learn what a boundary looks like (a small
        // plasmid): the operon engine's decisions stand.
        double sum = 0.0;
        for (const auto& s : observed.candidates) {
            fit.posterior.push_back(s.engineLink ? double(*s.engineLink) : 0.5);
            sum += fit.posterior.back();
        }
        fit.operonShare = n ? sum / double(n) : 0.5;
        return fit;
    }

    // Start from the distance alone (also when it takes no part later: it
    // tells the two classes apart for the first fit of the others).
    double share = gaps.operonShare;
    for (std::size_t i = 0; i < n; ++i)
        fit.posterior.push_back(logistic(std::log(share / (1.0 - share)) + gapRatio[i]));
    if (feats.empty() && useGap) {
        fit.operonShare = share;
        fit.priorLogOdds = std::log(share / (1.0 - share));
        for (std::size_t i = 0; i < n; ++i)
            if (observed.candidates[i].gap)
                fit.contribution[i][std::size_t(Evidence::Gap)] = gapRatio[i];
        return fit;
    }

    std::vector<std::vector<double>> ratios(feats.size());
    for (fit.iterations = 1; fit.iterations <= options.maxIterations; ++fit.iterations) {
        // Maximisation: share and distributions from the weighted pairs.
        double sum = 0.0;
        for (std::size_t f = 0; f < feats.size(); ++f) {
            std::vector<double> operonCounts(std::size_t(feats[f].classes), 0.0), boundaryCounts = operonCounts;
            for (std::size_t i = 0; i < n; ++i)
                if (int k = classOfPair[f][i]; k >= 0) {
                    operonCounts[std::size_t(k)] += fit.posterior[i];
                    boundaryCounts[std::size_t(k)] += 1.0 - fit.posterior[i];
                }
            ratios[f] = logRatios(operonCounts, boundaryCounts);
        }
        for (double p : fit.posterior)
            sum += p;
        share = n ? std::clamp(sum / double(n), 0.01, 0.99) : 0.5;
        // Expectation: the posterior of every candidate pair.
        double moved = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            double logOdds = std::log(share / (1.0 - share)) + (useGap ? gapRatio[i] : 0.0);
            for (std::size_t f = 0; f < feats.size(); ++f)
                if (int k = classOfPair[f][i]; k >= 0)
                    logOdds += ratios[f][std::size_t(k)];
            const double p = logistic(logOdds);
            moved = std::max(moved, std::abs(p - fit.posterior[i]));
            fit.posterior[i] = p;
        }
        if (moved < options.tolerance)
            break;
    }
    fit.iterations = std::min(fit.iterations, options.maxIterations);
    fit.operonShare = share;
    fit.priorLogOdds = std::log(share / (1.0 - share));
    for (std::size_t i = 0; i < n; ++i) {
        auto& c = fit.contribution[i];
        if (useGap && observed.candidates[i].gap)
            c[std::size_t(Evidence::Gap)] = gapRatio[i];
        for (std::size_t f = 0; f < feats.size(); ++f)
            if (int k = classOfPair[f][i]; k >= 0 && !ratios[f].empty())
                c[std::size_t(feats[f].kind)] = ratios[f][std::size_t(k)];
    }
    return fit;
}

} // namespace meridan::evidence
