#include "TerminatorTestSupport.h"
#include "castrel/TerminatorRegion.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::castrel;
using meridan::terminator::testsupport::randomBases;
using meridan::testtext::reverseComplement;

TEST(TerminatorTrainingRegion, PlusRegionStartsTenInsideTheLeadingGene)
{
    std::mt19937 random(3);
    const std::string genome = randomBases(1000, random);
    // Gene ends at 1-based 300: the region is positions 291..410.
    const std::string region = cutTerminatorRegion(genome, {300, 500, '+'});
    EXPECT_EQ(region, genome.substr(290, 120));
}

TEST(TerminatorTrainingRegion, MinusRegionIsTheReverseComplementEndingTenInside)
{
    std::mt19937 random(4);
    const std::string genome = randomBases(1000, random);
    // Leading gene on - starts at 1-based 600: its 3' end; region is the
    // reverse complement of positions 490..609.
    const std::string region = cutTerminatorRegion(genome, {400, 600, '-'});
    EXPECT_EQ(region, reverseComplement(genome.substr(489, 120)));
    EXPECT_EQ(region.substr(0, 10), reverseComplement(genome.substr(599, 10)));
}

TEST(TerminatorTrainingRegion, RegionsAtTheGenomeEndsAreClipped)
{
    std::mt19937 random(5);
    const std::string genome = randomBases(200, random);
    EXPECT_EQ(cutTerminatorRegion(genome, {5, 50, '+'}), genome.substr(0, 115));   // starts before base 1
    EXPECT_EQ(cutTerminatorRegion(genome, {150, 180, '+'}), genome.substr(140));   // runs past the end
    EXPECT_EQ(cutTerminatorRegion(genome, {20, 195, '-'}), reverseComplement(genome.substr(84)));
    EXPECT_EQ(cutTerminatorRegion(genome, {1, 50, '-'}), reverseComplement(genome.substr(0, 59)));
    EXPECT_EQ(cutTerminatorRegion(genome, {400, 500, '+'}), "");                  // wholly past the end
    EXPECT_EQ(cutTerminatorRegion("", {300, 500, '+'}), "");
}

TEST(TerminatorTrainingRegion, BackgroundCountsBadCharactersAsA)
{
    std::ostringstream trace;
    const std::string genome = std::string(10, 'N') + "CCGGTTAC" + std::string(200, 'A');
    const std::vector<TerminatorRegion> regions = buildTerminatorRegions(genome, {{10, 100, '+'}}, trace);
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].sequence.substr(0, 18), "NNNNNNNNNNCCGGTTAC");
    EXPECT_EQ(regions[0].code.size(), 120u);
    EXPECT_EQ(trace.str().find("N is a bad character!\n"), 0u);
    const auto background = backgroundComposition(regions);
    EXPECT_DOUBLE_EQ(background[0], 113.0 / 120);
    EXPECT_DOUBLE_EQ(background[1], 3.0 / 120);
    EXPECT_DOUBLE_EQ(background[2], 2.0 / 120);
    EXPECT_DOUBLE_EQ(background[3], 2.0 / 120);
    EXPECT_EQ(backgroundComposition({}), (std::array<double, 4>{}));
}
