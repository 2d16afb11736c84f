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
}

double PromoterScanner::bestPossible() const
{
    return first_.best() + (second_ ? second_->best() + *std::max_element(spacerPrior_.begin(), spacerPrior_.end()) : 0.0);
}

void PromoterScanner::windowScores(std::span<const std::uint8_t> seq, std::vector<WindowScore>& out) const
{
    const long n = static_cast<long>(seq.size());
    const long positions = n - shortestWindow() + 1;
    out.clear();
    if (positions <= 0)
        return;
    out.resize(positions, WindowScore{kMinusInfinity, 0});
    const int w1 = first_.width();
    if (!second_) {
        for (long i = 0; i < positions; ++i)
            out[i] = {first_.score(seq.data() + i), 0};
        return;
    }
    // Each box is scored once per position; the placements then only add.
    const int w2 = second_->width();
    std::vector<double> s2(n - w2 + 1);
    for (long j = 0; j + w2 <= n; ++j)
        s2[j] = second_->score(seq.data() + j);
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
}

std::vector<RegionHit> PromoterScanner::bestHits(std::span<const std::uint8_t> seq, int keep) const
{
    std::vector<WindowScore> windows;
    windowScores(seq, windows);
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
