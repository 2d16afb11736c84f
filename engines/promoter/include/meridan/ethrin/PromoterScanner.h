// Log-odds scoring of one promoter model over coded sequence.
#pragma once

#include "meridan/ethrin/Nucleotides.h"
#include "meridan/ethrin/PromoterModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace meridan::ethrin {

// Log-odds (bits) of one box against a background composition. Position
// probabilities are (count + pseudocount * background) / (total +
// pseudocount); a base other than A, C, G, T scores the lowest value of its
// position.
class BoxScorer {
public:
    BoxScorer(const BoxCounts& box, double pseudocount, const Composition& background);

    int width() const { return static_cast<int>(table_.size()); }
    double score(const std::uint8_t* codes) const
    {
        double s = 0.0;
        for (std::size_t k = 0; k < table_.size(); ++k)
            s += table_[k][codes[k]];
        return s;
    }
    double best() const;
    double at(int position, std::uint8_t code) const { return table_[position][code]; }

private:
    std::vector<std::array<double, 5>> table_;
};

// Best placement of a model whose first box starts at one position.
struct WindowScore {
    double score; // -infinity when no placement fits in the sequence
    int spacer;
};

// One hit inside a scanned sequence, positions 0-based in that sequence.
struct RegionHit {
    int firstBox = 0;
    int secondBox = -1; // -1 for a single-box model
    int spacer = 0;
    double logOdds = 0.0;
};

class PromoterScanner {
public:
    PromoterScanner(const PromoterModel& model, const Composition& background);

    bool twoBoxes() const { return second_.has_value(); }
    int firstWidth() const { return first_.width(); }
    int secondWidth() const { return second_ ? second_->width() : 0; }
    int spacerMin() const { return spacerMin_; }
    int spacerMax() const { return spacerMax_; }
    int shortestWindow() const { return firstWidth() + (twoBoxes() ? spacerMin_ + secondWidth() : 0); }
    int longestWindow() const { return firstWidth() + (twoBoxes() ? spacerMax_ + secondWidth() : 0); }
    // Log-odds of the spacer length (0 without spacer counts).
    double spacerScore(int spacer) const { return spacerPrior_[spacer - spacerMin_]; }
    // Highest score any placement can reach.
    double bestPossible() const;

    // For every first-box position i of seq (0 ≤ i ≤ size - shortestWindow),
    // the best score over the spacers that fit. `out` is resized. When
    // tssBonus is not empty (one value per base of seq), the value at the
    // placement's transcription start (clamped into seq) is added; the UP
    // element's score, when the model has one, always is.
    void windowScores(std::span<const std::uint8_t> seq, std::vector<WindowScore>& out,
                      std::span<const double> tssBonus = {}) const;

    // The `keep` best hits, best first (equal scores: the earlier position
    // first), at most one per first-box position.
    std::vector<RegionHit> bestHits(std::span<const std::uint8_t> seq, int keep,
                                    std::span<const double> tssBonus = {}) const;
    // The highest score of any placement in seq (-infinity when none fits).
    double bestScore(std::span<const std::uint8_t> seq, std::span<const double> tssBonus = {}) const;

    int tssOffset() const { return tssOffset_; }

private:
    BoxScorer first_;
    std::optional<BoxScorer> second_;
    int spacerMin_ = 0;
    int spacerMax_ = 0;
    std::vector<double> spacerPrior_;
    int tssOffset_ = 0;
    int upWidth_ = 0;
    std::array<double, 5> upScore_{}; // per base of the UP element: A, C, G, T, other

    void addUpElement(std::span<const std::uint8_t> seq, std::vector<WindowScore>& out) const;
};

} // namespace meridan::ethrin
