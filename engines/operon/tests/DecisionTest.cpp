#include "meridan/operon/Decision.h"
#include "FitFixtures.h"

#include <gtest/gtest.h>

using namespace meridan::operon;
using namespace meridan::operon::testing;
using meridan::genome::GeneRecord;

namespace {

std::vector<GeneRecord> genesOnStrands(const std::string& strands)
{
    std::vector<GeneRecord> genes;
    for (const char s : strands) {
        GeneRecord g;
        g.strand = s;
        genes.push_back(g);
    }
    return genes;
}

PairDecision decision(int label, int sd = -1, int ta = -1, int term = -1)
{
    return PairDecision{label, sd, ta, term};
}

} // namespace

TEST(DecidePair, HalfPosteriorLinksAndConfidentWindowsGivePositions)
{
    // Promoter region of 30 bases (21 windows), terminator region of 50 (30
    // windows), SD region of 20 (11 windows).
    TrainingMaterial material = materialOf(
        {makePair(40, "-", std::string(50, 'A'), std::string(30, 'A'), std::string(20, 'A'))});
    Evidence ev(material);
    PairEvidence& p = ev.pairs[0];
    p.posterior = 0.5;
    p.windowShares[index(MotifId::SdOperon)][4] = 0.9;
    p.windowShares[index(MotifId::SdBoundary)][7] = 0.9;
    p.windowShares[index(MotifId::PromoterBoundary)][3] = 0.6;
    p.windowShares[index(MotifId::TerminatorBoundary)][12] = 0.7;

    const PairDecision linked = decidePair(material.pairs[0], p);
    EXPECT_EQ(linked.label, 1);
    EXPECT_EQ(linked.sdPosition, 20 - 4); // the operon class's SD motif
    EXPECT_EQ(linked.taPosition, -1);
    EXPECT_EQ(linked.terminatorPosition, -1);

    p.posterior = 0.4999;
    const PairDecision boundary = decidePair(material.pairs[0], p);
    EXPECT_EQ(boundary.label, 0);
    EXPECT_EQ(boundary.sdPosition, 20 - 7);
    EXPECT_EQ(boundary.taPosition, 30 - 3 + 20);
    EXPECT_EQ(boundary.terminatorPosition, 13);

    // A largest share of 0.5 or less gives no position; ties go to the first.
    p.windowShares[index(MotifId::SdBoundary)][7] = 0.5;
    p.windowShares[index(MotifId::TerminatorBoundary)][20] = 0.7;
    const PairDecision weak = decidePair(material.pairs[0], p);
    EXPECT_EQ(weak.sdPosition, -1);
    EXPECT_EQ(weak.terminatorPosition, 13);
}

TEST(DecidePair, RegionsWithoutWindowsGiveNoPosition)
{
    TrainingMaterial material = materialOf({makePair(0, "-", std::string(20, 'A'), "", "")});
    Evidence ev(material);
    ev.pairs[0].posterior = 0.1;
    const PairDecision d = decidePair(material.pairs[0], ev.pairs[0]);
    EXPECT_EQ(d, (PairDecision{0, -1, -1, -1}));
}

TEST(GeneTags, OperonNumbersFollowTheLinks)
{
    // Four genes on '+', only the pair (1, 2) linked.
    const auto tags = assignGeneTags(
        genesOnStrands("++++"), {decision(0, 5, 40, 3), decision(1, 6), decision(0, 7, 41, 9)});
    EXPECT_EQ(tags.operonNumber, (std::vector<double>{0, 1, 1, 2}));
    // '+': the pair's SD and TA positions go to the second gene, the
    // terminator position to the first.
    EXPECT_EQ(tags.sdPosition, (std::vector<double>{-1, 5, 6, 7}));
    EXPECT_EQ(tags.taPosition, (std::vector<double>{-1, 40, -1, 41}));
    EXPECT_EQ(tags.terminatorPosition, (std::vector<double>{3, -1, 9, -1}));
}

TEST(GeneTags, MinusStrandPlacesPositionsOnTheOtherGenes)
{
    const auto tags =
        assignGeneTags(genesOnStrands("---"), {decision(0, 5, 40, 3), decision(1, 6)});
    EXPECT_EQ(tags.operonNumber, (std::vector<double>{0, 1, 1}));
    EXPECT_EQ(tags.sdPosition, (std::vector<double>{5, 6, 0}));
    EXPECT_EQ(tags.taPosition, (std::vector<double>{40, -1, 0}));
    EXPECT_EQ(tags.terminatorPosition, (std::vector<double>{-1, 3, -1}));
}

TEST(GeneTags, StrandChangesAlwaysStartANewOperon)
{
    const auto alternating = assignGeneTags(genesOnStrands("+-+-+"), {{}, {}, {}, {}});
    EXPECT_EQ(alternating.operonNumber, (std::vector<double>{0, 1, 2, 3, 4}));
    // '+' then '-': terminator positions of both cleared; '-' then '+': SD
    // and TA of both cleared.
    EXPECT_EQ(alternating.terminatorPosition, (std::vector<double>{-1, -1, -1, -1, -1}));
    EXPECT_EQ(alternating.sdPosition, (std::vector<double>{-1, -1, -1, -1, -1}));

    const auto mixed = assignGeneTags(genesOnStrands("++-"), {decision(1, 4), {}});
    EXPECT_EQ(mixed.operonNumber, (std::vector<double>{0, 0, 1}));
    // Last gene on '-' after one on '+': its SD and TA are -1.
    EXPECT_EQ(mixed.sdPosition, (std::vector<double>{-1, 4, -1}));
    EXPECT_EQ(mixed.taPosition, (std::vector<double>{-1, -1, -1}));
}

TEST(GeneTags, SameStrandNeighboursWithoutAPairAreBoundaries)
{
    // Gene 1 had no sequence: neither (0, 1) nor (1, 2) has a candidate pair.
    const auto tags = assignGeneTags(genesOnStrands("+++"), {std::nullopt, std::nullopt});
    EXPECT_EQ(tags.operonNumber, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(tags.sdPosition, (std::vector<double>{-1, -1, -1}));
    EXPECT_EQ(tags.taPosition, (std::vector<double>{-1, -1, -1}));
    EXPECT_EQ(tags.terminatorPosition, (std::vector<double>{-1, -1, -1}));
}

TEST(GeneTags, SingleGeneAndNoGenes)
{
    const auto one = assignGeneTags(genesOnStrands("-"), {});
    EXPECT_EQ(one.operonNumber, (std::vector<double>{0}));
    EXPECT_EQ(one.sdPosition, (std::vector<double>{-1}));
    EXPECT_EQ(one.taPosition, (std::vector<double>{-1}));
    EXPECT_EQ(one.terminatorPosition, (std::vector<double>{-1}));
    EXPECT_EQ(assignGeneTags({}, {}).size(), 0u);
}

TEST(GeneTags, NeighbourDecisionsMatchPairsByTheirGenes)
{
    TrainingMaterial material;
    for (std::size_t row : {0u, 1u, 3u, 4u}) {
        GeneWithSequence g;
        g.tableIndex = row;
        material.genes.push_back(g);
    }
    // Pairs over the gene list: rows (0,1), (1,3) skipping left-out row 2, (3,4).
    for (std::size_t i = 0; i + 1 < material.genes.size(); ++i) {
        CandidatePair p;
        p.first = i;
        p.second = i + 1;
        material.pairs.push_back(p);
    }
    const auto neighbours =
        neighbourDecisions(material, {decision(1), decision(1), decision(0, 8)}, 5);
    ASSERT_EQ(neighbours.size(), 4u);
    EXPECT_EQ(neighbours[0], decision(1));
    EXPECT_FALSE(neighbours[1].has_value());
    EXPECT_FALSE(neighbours[2].has_value());
    EXPECT_EQ(neighbours[3], decision(0, 8));
}

TEST(GeneTags, SeparateOperonsWhenNothingIsUsable)
{
    const auto tags = separateGeneTags(3);
    EXPECT_EQ(tags.operonNumber, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(tags.terminatorPosition, (std::vector<double>{-1, -1, -1}));
}
