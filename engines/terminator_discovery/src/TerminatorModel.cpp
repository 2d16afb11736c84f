#include "castrel/TerminatorModel.h"

#include <cmath>

namespace meridan::castrel {

using terminator::admissiblePair;
using terminator::forEachStem;
using terminator::kMaxTail;
using terminator::kMinTail;

TrainingSet::TrainingSet(std::vector<std::vector<Code>> regions, const std::array<double, 4>& background)
    : regions_(std::move(regions)), background_(background)
{
    candidates_.reserve(regions_.size());
    for (const std::vector<Code>& region : regions_)
        candidates_.emplace_back(region);
}

void TerminatorModel::initialise(const TrainingSet& data)
{
    data_ = &data;
    p0 = 0.5;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y)
            pairProb[x][y] = admissiblePair(static_cast<Code>(x), static_cast<Code>(y)) ? 1.0 / 6.0 : 0.0;
    }
    tailProb = data.background();
    updateRatios();
    tailRatio = {1.0, 1.0, 1.0, 1.0};
    stemLen.assign(kLengthSlots, 1.0 / kLengthSlots);
    loopLen.assign(kLengthSlots, 1.0 / kLengthSlots);
    tailLen.assign(kInitialTailSlots, 1.0 / kInitialTailSlots);
    regionPosterior.assign(data.size(), 0.0);
    expect();
}

namespace {

// Expected counts of one region before they are divided by its likelihood.
struct RegionCounts {
    PairMatrix pair{};
    std::array<double, 4> tailBase{};
    std::vector<double> stemLen = std::vector<double>(kLengthSlots, 0.0);
    std::vector<double> loopLen = std::vector<double>(kLengthSlots, 0.0);
    std::vector<double> tailLen = std::vector<double>(kLengthSlots, 0.0);
};

} // namespace

void TerminatorModel::expect()
{
    pairCount = {};
    tailBaseCount = {};
    stemLenCount.assign(kLengthSlots, 0.0);
    loopLenCount.assign(kLengthSlots, 0.0);
    tailLenCount.assign(kLengthSlots, 0.0);
    bgPosteriorSum = 0.0;
    regionCount = 0.0;
    score = 0.0;
    if (data_ == nullptr)
        return;
    regionPosterior.assign(data_->size(), 0.0);

    struct StemTerm {
        int k;
        int loop;
        double weight;
    };
    std::vector<StemTerm> stems;
    std::array<double, kMaxTail + 1> tailWeight{};
    const double mixture = 1.0 - p0;

    for (std::size_t r = 0; r < data_->size(); ++r) {
        const std::vector<Code>& x = data_->region(r);
        const terminator::CandidateList& candidates = data_->candidates(r);
        const int length = static_cast<int>(x.size());
        RegionCounts local;
        double sum = 0.0; // S: position-weighted likelihood ratio of one element

        for (int i = 0; i < length; ++i) {
            for (const int closing : candidates.of(i)) {
                // Hairpin weight H[i][G], term by stem length.
                stems.clear();
                double hairpin = 0.0;
                forEachStem(x, i, closing, pairRatio, [&](int k, int loop, double product) {
                    if (k >= static_cast<int>(stemLen.size()) || loop >= static_cast<int>(loopLen.size()))
                        return;
                    const double weight = product * stemLen[k] * loopLen[loop];
                    stems.push_back({k, loop, weight});
                    hairpin += weight;
                });
                if (!(hairpin > 0.0))
                    continue;

                // Tails after G, each weighted by the uniform position prior.
                double tails = 0.0;
                double product = 1.0;
                int longestTail = 0;
                for (int t = 1; t <= kMaxTail && closing + t < length; ++t) {
                    const int tailEnd = closing + t;
                    product *= tailRatio[x[tailEnd]];
                    if (t < kMinTail)
                        continue;
                    const double lengthProb = t < static_cast<int>(tailLen.size()) ? tailLen[t] : 0.0;
                    tailWeight[t] = product * lengthProb / (length - (tailEnd - i));
                    tails += tailWeight[t];
                    longestTail = t;
                }
                if (!(tails > 0.0))
                    continue;
                sum += hairpin * tails;

                // Hairpin terms times their outside weight O[i][G].
                const double outside = mixture * tails;
                double suffix = 0.0;
                std::size_t next = stems.size();
                const int longestStem = stems.back().k;
                for (int m = longestStem - 1; m >= 0; --m) {
                    // Pair m belongs to every stem longer than m.
                    if (next > 0 && stems[next - 1].k == m + 1) {
                        const StemTerm& term = stems[--next];
                        const double contribution = term.weight * outside;
                        local.stemLen[term.k] += contribution;
                        local.loopLen[term.loop] += contribution;
                        suffix += contribution;
                    }
                    local.pair[x[i + m]][x[closing - m]] += suffix;
                }

                // Tail terms: tail position s belongs to every tail of length >= s.
                double tailSuffix = 0.0;
                for (int s = longestTail; s >= 1; --s) {
                    if (s >= kMinTail) {
                        const double weight = hairpin * tailWeight[s] * mixture;
                        local.tailLen[s] += weight;
                        tailSuffix += weight;
                    }
                    local.tailBase[x[closing + s]] += tailSuffix;
                }
            }
        }

        const double likelihood = p0 + mixture * sum;
        const double posterior = sum > 0.0 ? p0 / likelihood : 1.0;
        score += std::log(likelihood);
        bgPosteriorSum += posterior;
        regionCount += 1.0;
        regionPosterior[r] = posterior;
        if (!(sum > 0.0) || !(likelihood > 0.0))
            continue;

        const double scale = 1.0 / likelihood;
        for (int a = 0; a < 4; ++a) {
            for (int b = 0; b < 4; ++b)
                pairCount[a][b] += local.pair[a][b] * scale;
            tailBaseCount[a] += local.tailBase[a] * scale;
        }
        for (int n = 0; n < kLengthSlots; ++n) {
            stemLenCount[n] += local.stemLen[n] * scale;
            loopLenCount[n] += local.loopLen[n] * scale;
            tailLenCount[n] += local.tailLen[n] * scale;
        }
    }
}

std::optional<std::vector<double>> poissonLengthFit(const std::vector<double>& counts)
{
    std::vector<double> cumulative(kLengthSlots, 0.0);
    double running = 0.0;
    for (int n = 0; n < kLengthSlots; ++n) {
        if (n < static_cast<int>(counts.size()))
            running += counts[n];
        cumulative[n] = running;
    }
    const double total = cumulative[kLengthSlots - 1];
    if (!(total > 0.0) || !std::isfinite(total))
        return std::nullopt;
    double mean = 0.0;
    for (int n = 0; n < kLengthSlots; ++n)
        mean += 1.0 - cumulative[n] / total;
    std::vector<double> fit(kLengthSlots);
    fit[0] = std::exp(-mean);
    for (int n = 1; n < kLengthSlots; ++n)
        fit[n] = fit[n - 1] * mean / n;
    return fit;
}

void TerminatorModel::update()
{
    if (auto fit = poissonLengthFit(stemLenCount))
        stemLen = std::move(*fit);
    if (auto fit = poissonLengthFit(loopLenCount))
        loopLen = std::move(*fit);
    if (auto fit = poissonLengthFit(tailLenCount))
        tailLen = std::move(*fit);

    double pairTotal = 0.0;
    for (const auto& row : pairCount) {
        for (const double count : row)
            pairTotal += count;
    }
    if (pairTotal > 0.0 && std::isfinite(pairTotal)) {
        for (int a = 0; a < 4; ++a) {
            for (int b = 0; b < 4; ++b)
                pairProb[a][b] = pairCount[a][b] / pairTotal;
        }
    }

    double tailTotal = 0.0;
    for (const double count : tailBaseCount)
        tailTotal += count;
    if (tailTotal > 0.0 && std::isfinite(tailTotal)) {
        for (int b = 0; b < 4; ++b)
            tailProb[b] = tailBaseCount[b] / tailTotal;
    }
    updateRatios();

    if (regionCount > 0.0)
        p0 = bgPosteriorSum / regionCount;
}

void TerminatorModel::updateRatios()
{
    const std::array<double, 4> background = data_ ? data_->background() : std::array<double, 4>{};
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            const double expected = background[a] * background[b];
            pairRatio[a][b] = expected > 0.0 ? pairProb[a][b] / expected : 0.0;
        }
        tailRatio[a] = background[a] > 0.0 ? tailProb[a] / background[a] : 0.0;
    }
}

terminator::ModelParameters TerminatorModel::parameters() const
{
    terminator::ModelParameters model;
    if (data_)
        model.background = data_->background();
    model.pairProb = pairProb;
    model.tailProb = tailProb;
    model.stemLen = stemLen;
    model.loopLen = loopLen;
    model.tailLen = tailLen;
    model.p0 = p0;
    return model;
}

} // namespace meridan::castrel
