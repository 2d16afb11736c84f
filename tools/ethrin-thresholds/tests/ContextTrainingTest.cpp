// Context training on hand-made genomes whose answers are known.
#include "ContextTraining.h"

#include "meridan/ethrin/InputError.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace meridan::ethrin;
using namespace meridan::ethrin::tools;

namespace {

// 40 "+" genes of 300 bases every 1000 bases; every other gene 500 bases
// after the previous one ends, the others overlap nothing either.
std::vector<GeneRow> genes()
{
    std::vector<GeneRow> g;
    for (long k = 0; k < 40; ++k) {
        const long start = 1001 + 1000 * k;
        g.push_back({"g" + std::to_string(k), '+', start, start, start + 299});
    }
    return g;
}

} // namespace

TEST(EthrinTrainingContext, StartsNearTheStartCodonGetTheirBinAndIntergenicOdds)
{
    // A known start 40 bases before every gene (between genes).
    std::vector<KnownStart> starts;
    for (const GeneRow& g : genes())
        starts.push_back({'+', g.startCodon - 40});
    RegionSettings settings;
    settings.upstream = 200;
    settings.downstream = 100;
    PromoterModel m;
    const ContextCounts c = learnPositionAndIntergenic(m, starts, genes(), 41000, settings, 50);
    EXPECT_EQ(c.starts, 40);
    EXPECT_EQ(c.intergenicStarts, 40);
    ASSERT_EQ(m.positionOdds.size(), 6u);
    // Bin -50..-1 holds all 40 of 46 counts (one pseudocount per bin).
    EXPECT_NEAR(m.positionOdds[3], std::log2(41.0 / 46.0 / (50.0 / 300.0)), 1e-12);
    EXPECT_NEAR(m.positionOdds[0], std::log2(1.0 / 46.0 / (50.0 / 300.0)), 1e-12);
    EXPECT_EQ(m.positionScore(-40), m.positionOdds[3]);
    // Region bases before the start codon lie between genes, those after in
    // the gene: a start between genes is no surprise in that bin.
    EXPECT_GT(m.intergenicOdds, 0.0);
    EXPECT_LT(m.genicOdds, 0.0);
}

TEST(EthrinTrainingContext, GapOddsFavourGenesAfterLongGaps)
{
    // Genes packed 10 bases apart, then one after a 700-base gap; only the
    // genes after the long gap hold a start.
    std::vector<GeneRow> g;
    std::vector<KnownStart> starts;
    long at = 1001;
    for (int k = 0; k < 60; ++k) {
        const bool first = k % 3 == 0;
        at += first ? 700 : 10;
        g.push_back({"g" + std::to_string(k), '+', at, at, at + 299});
        if (first)
            starts.push_back({'+', at - 50});
        at += 300;
    }
    PromoterModel m;
    EXPECT_EQ(learnGapOdds(m, starts, g, at + 1000, RegionSettings{}, {0, 20, 200}), 20);
    ASSERT_EQ(m.gapOdds.size(), 4u);
    // 40 genes after 10-base gaps (bin 2), 20 after long ones (bin 4); one
    // pseudocount per bin on both sides.
    EXPECT_NEAR(m.gapOdds[3], std::log2((21.0 / 24.0) / (21.0 / 64.0)), 1e-12);
    EXPECT_NEAR(m.gapOdds[1], std::log2((1.0 / 24.0) / (41.0 / 64.0)), 1e-12);
    EXPECT_EQ(m.gapScore(10), m.gapOdds[1]);
    EXPECT_EQ(m.gapScore(700), m.gapOdds[3]);
}

TEST(EthrinTrainingContext, UpElementShiftIsTheLogOddsOfItsATShare)
{
    // 16 of the 20 bases before the first box are A or T.
    const std::string up = "AATTAATTAATTAATTGCGC";
    std::vector<std::string> sequences(10, std::string(5, 'C') + up + std::string(56, 'G'));
    std::vector<Placement> placements(10, Placement{25, 17, 7});
    placements[9].firstBox = 10; // too close to the sequence's start: left out
    PromoterModel m;
    EXPECT_EQ(learnUpElement(m, sequences, placements, 20, 0.5), 9);
    const double share = (9.0 * 16 + 1) / (9.0 * 20 + 2);
    EXPECT_NEAR(m.upElementShift, std::log2(share / (1 - share)), 1e-12);
    EXPECT_EQ(m.upElementWidth, 20);
    EXPECT_THROW(learnUpElement(m, sequences, placements, 20, 1.0), InputError);
}

TEST(EthrinTrainingContext, NoStartInAnyRegionIsAnError)
{
    PromoterModel m;
    EXPECT_THROW(learnPositionAndIntergenic(m, {{'-', 5}}, genes(), 41000, RegionSettings{}, 25), InputError);
}
