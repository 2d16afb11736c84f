#include "meridan/ethrin/PromoterScanner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace meridan::ethrin {

namespace {

constexpr double kMinusInfinity = -std::numeric_limits<double>::infinity();

} // namespace

BoxScorer::BoxScorer(const BoxCounts& box, double pseudocount, const Composition& background)
{
    table_.reserve(box.counts.size());
    for (const auto& row : box.counts) {
        const double total = row[0] + row[1] + row[2] + row[3] + pseudocount;
        std::array<double, 5> scores{};
        for (int b = 0; b < 4; ++b) {
            const double q = background.p[b];
            scores[b] = std::log2((row[b] + pseudocount * q) / total / q);
        }
        scores[4] = *std::min_element(scores.begin(), scores.begin() + 4);
        table_.push_back(scores);
    }
}

double BoxScorer::best() const
{
    double s = 0.0;
    for (const auto& row : table_)
        s += *std::max_element(row.begin(), row.begin() + 4);
    return s;
}

PromoterScanner::PromoterScanner(const PromoterModel& model, const Composition& background)
    : first_(model.boxes.at(0), model.pseudocount, background)
{
    if (model.twoBoxes()) {
        second_.emplace(model.boxes[1], model.pseudocount, background);
        spacerMin_ = model.spacerMin;
        spacerMax_ = model.spacerMax;
    }
    const int lengths = spacerMax_ - spacerMin_ + 1;
    spacerPrior_.assign(lengths, 0.0);
    if (model.twoBoxes() && static_cast<int>(model.spacerCounts.size()) == lengths) {
        // Spacer length as a log-odds against equally likely lengths, one
        // pseudocount per length.
        const double sum = std::accumulate(model.spacerCounts.begin(), model.spacerCounts.end(), 0.0);
        for (int k = 0; k < lengths; ++k)
            spacerPrior_[k] = std::log2((model.spacerCounts[k] + 1.0) / (sum + lengths) * lengths);
    }
    tssOffset_ = model.tssOffset;
    if (model.upElementWidth > 0) {
        // The UP element's A/T share is the genome's shifted by the model's
        // log-odds, so an A/T-rich genome does not score A/T-rich stretches
        // as UP elements everywhere.
        const double p0 = std::clamp(background.p[0] + background.p[3], 0.01, 0.99);
        const double p1 = 1.0 / (1.0 + (1.0 - p0) / p0 * std::exp2(-model.upElementShift));
        upWidth_ = model.upElementWidth;
        const double at = std::log2(p1 / p0);
        const double gc = std::log2((1.0 - p1) / (1.0 - p0));
        upScore_ = {at, gc, gc, at, 0.0};
    }
}

void PromoterScanner::addUpElement(std::span<const std::uint8_t> seq, std::vector<WindowScore>& out) const
{
    if (upWidth_ == 0)
        return;
    // Running sum over the upWidth_ bases before each first-box position;
    // bases before the sequence's start add nothing.
    double sum = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i > 0)
            sum += upScore_[seq[i - 1]];
        if (i > static_cast<std::size_t>(upWidth_))
            sum -= upScore_[seq[i - 1 - upWidth_]];
        out[i].score += sum;
    }
}

double PromoterScanner::bestPossible() const
{
    return first_.best() + (second_ ? second_->best() + *std::max_element(spacerPrior_.begin(), spacerPrior_.end()) : 0.0);
}

void PromoterScanner::windowScores(std::span<const std::uint8_t> seq, std::vector<WindowScore>& out,
                                   std::span<const double> tssBonus) const
{
    const long n = static_cast<long>(seq.size());
    const long positions = n - shortestWindow() + 1;
    out.clear();
    if (positions <= 0)
        return;
    out.resize(positions, WindowScore{kMinusInfinity, 0});
    const int w1 = first_.width();
    const bool bonus = !tssBonus.empty();
    // Bonus of a placement whose last box starts at j.
    const auto tssAt = [&](long j, int width) {
        return tssBonus[std::clamp<long>(j + width - 1 + tssOffset_, 0, n - 1)];
    };
    if (!second_) {
        for (long i = 0; i < positions; ++i)
            out[i] = {first_.score(seq.data() + i) + (bonus ? tssAt(i, w1) : 0.0), 0};
        addUpElement(seq, out);
        return;
    }
    // Each box is scored once per position; the placements then only add.
    const int w2 = second_->width();
    std::vector<double> s2(n - w2 + 1);
    for (long j = 0; j + w2 <= n; ++j)
        s2[j] = second_->score(seq.data() + j) + (bonus ? tssAt(j, w2) : 0.0);
    for (long i = 0; i < positions; ++i) {
        const double s1 = first_.score(seq.data() + i);
        WindowScore best{kMinusInfinity, spacerMin_};
        for (int sp = spacerMin_; sp <= spacerMax_; ++sp) {
            const long j = i + w1 + sp;
            if (j + w2 > n)
                break;
            const double s = s1 + s2[j] + spacerPrior_[sp - spacerMin_];
            if (s > best.score)
                best = {s, sp};
        }
        out[i] = best;
    }
    addUpElement(seq, out);
}

double PromoterScanner::bestScore(std::span<const std::uint8_t> seq, std::span<const double> tssBonus) const
{
    std::vector<WindowScore> windows;
    windowScores(seq, windows, tssBonus);
    double best = kMinusInfinity;
    for (const WindowScore& w : windows)
        best = std::max(best, w.score);
    return best;
}

std::vector<RegionHit> PromoterScanner::bestHits(std::span<const std::uint8_t> seq, int keep,
                                                 std::span<const double> tssBonus) const
{
    std::vector<WindowScore> windows;
    windowScores(seq, windows, tssBonus);
    std::vector<int> order(windows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto better = [&](int a, int b) {
        return windows[a].score > windows[b].score || (windows[a].score == windows[b].score && a < b);
    };
    const std::size_t k = std::min<std::size_t>(keep > 0 ? keep : 0, order.size());
    std::partial_sort(order.begin(), order.begin() + k, order.end(), better);
    std::vector<RegionHit> hits;
    hits.reserve(k);
    for (std::size_t r = 0; r < k; ++r) {
        const int i = order[r];
        RegionHit h;
        h.firstBox = i;
        h.logOdds = windows[i].score;
        if (second_) {
            h.spacer = windows[i].spacer;
            h.secondBox = i + first_.width() + h.spacer;
        }
        hits.push_back(h);
    }
    return hits;
}

} // namespace meridan::ethrin
