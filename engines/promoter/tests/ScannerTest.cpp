// Log-odds scoring of boxes and of box pairs over a sequence.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/PromoterScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace meridan::ethrin;
using ethrin_test::codes;

namespace {

// A box whose consensus letters have 97 of 100 counts.
BoxCounts sharpBox(const std::string& name, const std::string& consensus)
{
    BoxCounts box{name, consensus, {}};
    for (char c : consensus) {
        std::array<double, 4> row{1, 1, 1, 1};
        row[baseCode(c)] = 97;
        box.counts.push_back(row);
    }
    return box;
}

PromoterModel pairModel(int spacerMin, int spacerMax)
{
    PromoterModel m;
    m.sigma = "test";
    m.boxes = {sharpBox("-35", "TTGACA"), sharpBox("-10", "TATAAT")};
    m.spacerMin = spacerMin;
    m.spacerMax = spacerMax;
    return m;
}

} // namespace

TEST(EthrinBoxScorer, LogOddsUseCompositionWeightedPseudocounts)
{
    BoxCounts box{"b", "TA", {{0, 0, 0, 10}, {6, 2, 2, 0}}};
    Composition bg;
    bg.p = {0.3, 0.2, 0.2, 0.3};
    const BoxScorer s(box, 0.5, bg);
    EXPECT_NEAR(s.at(0, 3), std::log2((10 + 0.5 * 0.3) / 10.5 / 0.3), 1e-12);
    EXPECT_NEAR(s.at(0, 0), std::log2((0 + 0.5 * 0.3) / 10.5 / 0.3), 1e-12);
    EXPECT_NEAR(s.at(1, 1), std::log2((2 + 0.5 * 0.2) / 10.5 / 0.2), 1e-12);
    // A base other than A, C, G, T scores the lowest value of its position.
    EXPECT_DOUBLE_EQ(s.at(1, kOtherBase), s.at(1, 3));
    const auto seq = codes("TA");
    EXPECT_NEAR(s.score(seq.data()), s.at(0, 3) + s.at(1, 0), 1e-12);
    EXPECT_NEAR(s.best(), s.at(0, 3) + s.at(1, 0), 1e-12);
}

TEST(EthrinComposition, PoolsBothStrandsWithOneCountPerBase)
{
    const Composition c = strandSymmetricComposition(codes("AAAAAAGGNN"));
    // A+T = 6 + 1, C+G = 2 + 1, both strands: total 20.
    EXPECT_NEAR(c.p[0], 7.0 / 20, 1e-12);
    EXPECT_NEAR(c.p[3], 7.0 / 20, 1e-12);
    EXPECT_NEAR(c.p[1], 3.0 / 20, 1e-12);
    EXPECT_NEAR(c.p[2], 3.0 / 20, 1e-12);
    const Composition empty = strandSymmetricComposition({});
    EXPECT_DOUBLE_EQ(empty.p[0], 0.25);
}

class EthrinSpacerLimits : public ::testing::TestWithParam<int> {};

// TTGACA and TATAAT planted in a run of C with the given spacer: found as a
// pair only when the spacer lies in 15..19.
TEST_P(EthrinSpacerLimits, PairIsFoundOnlyWithinTheSpacerRange)
{
    const int spacer = GetParam();
    const PromoterScanner scanner(pairModel(15, 19), Composition{});
    const std::string seq = std::string(40, 'C') + "TTGACA" + std::string(spacer, 'C') + "TATAAT" + std::string(40, 'C');
    const auto hits = scanner.bestHits(codes(seq), 1);
    ASSERT_EQ(hits.size(), 1u);
    const RegionHit& h = hits[0];
    EXPECT_GE(h.spacer, 15);
    EXPECT_LE(h.spacer, 19);
    EXPECT_EQ(h.secondBox, h.firstBox + 6 + h.spacer);
    if (spacer >= 15 && spacer <= 19) {
        EXPECT_EQ(h.firstBox, 40);
        EXPECT_EQ(h.spacer, spacer);
        EXPECT_NEAR(h.logOdds, scanner.bestPossible(), 1e-9);
    } else {
        EXPECT_LT(h.logOdds, scanner.bestPossible() - 10.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Ethrin, EthrinSpacerLimits, ::testing::Values(14, 15, 17, 19, 20));

TEST(EthrinScanner, SpacerCountsWeighTheSpacerLengths)
{
    PromoterModel m = pairModel(16, 18);
    m.spacerCounts = {0, 9, 0};
    const PromoterScanner scanner(m, Composition{});
    // log2((count + 1) / (sum + lengths) * lengths)
    EXPECT_NEAR(scanner.spacerScore(17), std::log2(10.0 / 12 * 3), 1e-12);
    EXPECT_NEAR(scanner.spacerScore(16), std::log2(1.0 / 12 * 3), 1e-12);
    // The same boxes 16 and 17 bases apart differ by the spacer scores only.
    const auto at16 = scanner.bestHits(codes("TTGACA" + std::string(16, 'C') + "TATAAT"), 1);
    const auto at17 = scanner.bestHits(codes("TTGACA" + std::string(17, 'C') + "TATAAT"), 1);
    ASSERT_EQ(at16.size(), 1u);
    ASSERT_EQ(at17.size(), 1u);
    EXPECT_EQ(at16[0].spacer, 16);
    EXPECT_EQ(at17[0].spacer, 17);
    EXPECT_NEAR(at17[0].logOdds - at16[0].logOdds, scanner.spacerScore(17) - scanner.spacerScore(16), 1e-9);
}

TEST(EthrinScanner, WindowsNearTheEndUseOnlyTheSpacersThatFit)
{
    const PromoterScanner scanner(pairModel(15, 19), Composition{});
    EXPECT_EQ(scanner.shortestWindow(), 27);
    EXPECT_EQ(scanner.longestWindow(), 31);
    std::vector<WindowScore> w;
    scanner.windowScores(codes(std::string(30, 'C')), w);
    ASSERT_EQ(w.size(), 4u); // first box at 0..3
    for (const WindowScore& s : w)
        EXPECT_TRUE(std::isfinite(s.score));
    scanner.windowScores(codes(std::string(26, 'C')), w);
    EXPECT_TRUE(w.empty());
    EXPECT_TRUE(scanner.bestHits(codes(std::string(26, 'C')), 3).empty());
}

TEST(EthrinScanner, HitsComeBestFirstOnePerPositionEqualScoresEarlierFirst)
{
    PromoterModel m;
    m.boxes = {sharpBox("-10", "TATA")};
    const PromoterScanner scanner(m, Composition{});
    const std::string seq = "CCTATCCCTATACCTATACCC";
    //                       0 2    7  10   15
    const auto hits = scanner.bestHits(codes(seq), 3);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].firstBox, 8);
    EXPECT_EQ(hits[1].firstBox, 14);
    EXPECT_DOUBLE_EQ(hits[0].logOdds, hits[1].logOdds);
    EXPECT_EQ(hits[2].firstBox, 2);
    EXPECT_LT(hits[2].logOdds, hits[1].logOdds);
    EXPECT_EQ(hits[0].secondBox, -1);
    // Asking for more hits than positions gives every position once.
    EXPECT_EQ(scanner.bestHits(codes(seq), 1000).size(), seq.size() - 3);
}
