#include "castrel/TerminatorModel.h"

#include <algorithm>
#include <cmath>

namespace meridan::castrel {

using terminator::admissiblePair;
using terminator::kMaxTail;
using terminator::kMinTail;

TrainingSet::TrainingSet(std::vector<std::vector<Code>> regions, const std::array<double, 4>& background)
    : regions_(std::move(regions)), background_(background)
{
    candidates_.reserve(regions_.size());
    sites_.resize(regions_.size());
    siteClosings_.resize(regions_.size());
    for (std::size_t r = 0; r < regions_.size(); ++r) {
        const std::vector<Code>& x = regions_[r];
        const int length = static_cast<int>(x.size());
        longestRegion_ = std::max(longestRegion_, length);
        candidates_.emplace_back(x);
        for (int i = 0; i < length; ++i) {
            for (const int closing : candidates_.back().of(i)) {
                if (closing + kMinTail >= length)
                    break; // no room for a tail, here or further on
                const int span = closing - i + 1;
                int maxStem = 0;
                while (2 * (maxStem + 1) <= span && admissiblePair(x[i + maxStem], x[closing - maxStem]))
                    ++maxStem;
                maxStem = std::min(maxStem, kLengthSlots - 1); // longer stems have no length slot
                const int minStem = std::max(terminator::kMinStem, (span - terminator::kMaxLoop + 1) / 2);
                if (minStem <= maxStem)
                    sites_[r].push_back({i, closing, minStem, maxStem});
            }
        }
        std::vector<int>& closings = siteClosings_[r];
        for (const HairpinSite& site : sites_[r])
            closings.push_back(site.closing);
        std::sort(closings.begin(), closings.end());
        closings.erase(std::unique(closings.begin(), closings.end()), closings.end());
    }
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

    const double mixture = 1.0 - p0;
    const int longest = data_->longestRegion();
    constexpr int tailSlots = kMaxTail + 1;
    // The uniform position prior 1 / (L - (A - i)), stored backwards so that
    // the priors of tails t = 3, 4, ... of one hairpin lie side by side:
    // 1 / n is at backwardReciprocal[longest - n].
    std::vector<double> backwardReciprocal(static_cast<std::size_t>(longest) + tailSlots, 0.0);
    for (int n = 1; n <= longest; ++n)
        backwardReciprocal[longest - n] = 1.0 / n;
    // tails[G][t]: tail-ratio product over x[G+1..G+t] times tailLen[t].
    std::vector<double> tails(static_cast<std::size_t>(longest) * tailSlots, 0.0);
    // tailWeight[G][t]: sum over starts i of H[i][G] / (L - (G + t - i)).
    std::vector<double> tailWeight(static_cast<std::size_t>(longest) * tailSlots, 0.0);
    // Summed tail weight of each tail position, folded into bases per region.
    std::vector<double> positionWeight(static_cast<std::size_t>(longest), 0.0);
    std::vector<double> stemTerm(static_cast<std::size_t>(longest) / 2 + 2, 0.0);

    // Expected counts of one region before they are divided by its likelihood.
    PairMatrix pairLocal{};
    std::array<double, 4> baseLocal{};
    std::vector<double> stemLocal(kLengthSlots), loopLocal(kLengthSlots), tailLocal(kLengthSlots);

    for (std::size_t r = 0; r < data_->size(); ++r) {
        const std::vector<Code>& x = data_->region(r);
        const std::vector<HairpinSite>& sites = data_->sites(r);
        const std::vector<int>& closings = data_->siteClosings(r);
        const int length = static_cast<int>(x.size());
        double sum = 0.0; // S: position-weighted likelihood ratio of one element

        if (!sites.empty()) {
            pairLocal = {};
            baseLocal = {};
            std::fill(stemLocal.begin(), stemLocal.end(), 0.0);
            std::fill(loopLocal.begin(), loopLocal.end(), 0.0);
            std::fill(tailLocal.begin(), tailLocal.end(), 0.0);
            for (const int closing : closings) {
                double* row = &tails[static_cast<std::size_t>(closing) * tailSlots];
                double product = 1.0;
                for (int t = 1; t <= kMaxTail && closing + t < length; ++t) {
                    product *= tailRatio[x[closing + t]];
                    row[t] = t >= kMinTail && t < static_cast<int>(tailLen.size()) ? product * tailLen[t] : 0.0;
                }
            }
        }

        for (const HairpinSite& site : sites) {
            const int i = site.start;
            const int closing = site.closing;
            const int span = closing - i + 1;
            // Hairpin weight H[i][G], term by stem length.
            double hairpin = 0.0;
            double product = 1.0;
            for (int k = 1; k <= site.maxStem; ++k) {
                product *= pairRatio[x[i + k - 1]][x[closing - k + 1]];
                if (k >= site.minStem) {
                    stemTerm[k] = product * stemLen[k] * loopLen[span - 2 * k];
                    hairpin += stemTerm[k];
                }
            }
            if (!(hairpin > 0.0))
                continue;

            // Tails after G, each weighted by the uniform position prior.
            const double* tailRow = &tails[static_cast<std::size_t>(closing) * tailSlots];
            double* weightRow = &tailWeight[static_cast<std::size_t>(closing) * tailSlots];
            const int longestTail = std::min(kMaxTail, length - 1 - closing);
            // prior[t] = 1 / (L - (G + t - i))
            const double* prior = &backwardReciprocal[longest - (length - closing + i)];
            for (int t = kMinTail; t <= longestTail; ++t)
                weightRow[t] += hairpin * prior[t];
            // Four running sums keep the additions independent of each other.
            double partial[4] = {0.0, 0.0, 0.0, 0.0};
            int t = kMinTail;
            for (; t + 3 <= longestTail; t += 4) {
                partial[0] += tailRow[t] * prior[t];
                partial[1] += tailRow[t + 1] * prior[t + 1];
                partial[2] += tailRow[t + 2] * prior[t + 2];
                partial[3] += tailRow[t + 3] * prior[t + 3];
            }
            for (; t <= longestTail; ++t)
                partial[0] += tailRow[t] * prior[t];
            const double tailSum = (partial[0] + partial[1]) + (partial[2] + partial[3]);
            sum += hairpin * tailSum;

            // Hairpin terms times their outside weight O[i][G]; pair m belongs
            // to every stem longer than m.
            const double outside = mixture * tailSum;
            double suffix = 0.0;
            for (int k = site.maxStem; k >= 1; --k) {
                if (k >= site.minStem) {
                    const double contribution = stemTerm[k] * outside;
                    stemLocal[k] += contribution;
                    loopLocal[span - 2 * k] += contribution;
                    suffix += contribution;
                }
                pairLocal[x[i + k - 1]][x[closing - k + 1]] += suffix;
            }
        }

        // Tail terms, gathered per closing position: tail position s belongs
        // to every tail of length >= s.
        if (!closings.empty()) {
            std::fill(positionWeight.begin(), positionWeight.begin() + length, 0.0);
            for (const int closing : closings) {
                const double* tailRow = &tails[static_cast<std::size_t>(closing) * tailSlots];
                double* weightRow = &tailWeight[static_cast<std::size_t>(closing) * tailSlots];
                const int longestTail = std::min(kMaxTail, length - 1 - closing);
                double suffix = 0.0;
                for (int s = longestTail; s >= 1; --s) {
                    if (s >= kMinTail) {
                        const double weight = weightRow[s] * tailRow[s] * mixture;
                        tailLocal[s] += weight;
                        suffix += weight;
                        weightRow[s] = 0.0;
                    }
                    positionWeight[closing + s] += suffix;
                }
            }
            for (int q = 0; q < length; ++q)
                baseLocal[x[q]] += positionWeight[q];
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
                pairCount[a][b] += pairLocal[a][b] * scale;
            tailBaseCount[a] += baseLocal[a] * scale;
        }
        for (int n = 0; n < kLengthSlots; ++n) {
            stemLenCount[n] += stemLocal[n] * scale;
            loopLenCount[n] += loopLocal[n] * scale;
            tailLenCount[n] += tailLocal[n] * scale;
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
