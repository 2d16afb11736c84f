#include "meridan/operon/TrainingMaterial.h"
#include "meridan/genome/GenomeSequence.h"

#include <gtest/gtest.h>

#include <array>

#include <sstream>

using namespace meridan::operon;
using meridan::genome::GeneRecord;
using meridan::genome::GeneTable;
using meridan::genome::makeGenomeSequence;

namespace {

GeneRecord gene(int start, int end, char strand, const std::string& cog = "-")
{
    GeneRecord g;
    g.location = std::to_string(start) + ".." + std::to_string(end);
    g.start = start;
    g.end = end;
    g.strand = strand;
    g.cog = cog;
    return g;
}

// A genome whose base at 1-based position p is determined by p, so that
// every region can be checked against the forward text directly.
std::string patternGenome(std::size_t length)
{
    const char bases[] = "ACGTTGCAAGCT";
    std::string s(length, 'A');
    for (std::size_t i = 0; i < length; ++i)
        s[i] = bases[(i * 7 + i / 5) % 12];
    return s;
}

// Forward positions from..to (1-based, inclusive).
std::string forward(const std::string& s, int from, int to)
{
    return s.substr(from - 1, to - from + 1);
}

// Reverse complement of forward positions from..to.
std::string minusStrand(const std::string& s, int from, int to)
{
    return meridan::genome::reverseComplementOf(forward(s, from, to));
}

} // namespace

TEST(CategoryLabel, SharedLetterFirstLettersOrUnknown)
{
    EXPECT_EQ(categoryLabel("IQR", "QK"), "Q_Q");
    EXPECT_EQ(categoryLabel("E", "K"), "E_K");
    EXPECT_EQ(categoryLabel("E", "-"), "-");
    EXPECT_EQ(categoryLabel("-", "E"), "-");
    EXPECT_EQ(categoryLabel("KE", "EK"), "K_K"); // first gene's order decides
    EXPECT_EQ(categoryLabel("", "E"), "-");      // a cog without letters counts as unknown
}

TEST(CategoryLabel, Indexes)
{
    EXPECT_EQ(categoryIndex('A'), 0);
    EXPECT_EQ(categoryIndex('E'), 4);
    EXPECT_EQ(categoryIndex('T'), 19);
    EXPECT_EQ(categoryIndex('U'), 20);
    EXPECT_EQ(categoryIndex('X'), 20);
    EXPECT_EQ(categoryIndex('e'), 20);
    EXPECT_EQ(categoryIndex('V'), 21);
    EXPECT_EQ(categoryIndex('W'), 22);
    EXPECT_EQ(categoryIndex('Y'), 23);
    EXPECT_EQ(categoryIndex('Z'), 24);
}

// On '+' the terminator region follows the first gene, the promoter and SD
// regions lie before the second; a short gap is shared between them.
TEST(SignalRegions, PlusStrandRegionsFollowTheGap)
{
    const std::string s = patternGenome(1000);
    const auto genome = makeGenomeSequence(s);
    struct Case {
        const char* what;
        int secondStart;
        std::array<int, 2> terminator, promoter, sd; // {0, 0}: not checked
    };
    const Case cases[] = {
        // second.start - first.end - 1 = 297 - 300 - 1 = -4
        {"overlapping genes", 297, {301, 320}, {297 - 35, 297 - 21}, {277, 296}},
        {"a gap of 250 bases: 301 … 550", 551, {301, 400}, {451, 530}, {531, 550}},
        // promoter 301 … 330 (g - 20 = 30 bases)
        {"a gap of 50 bases: 301 … 350", 351, {301, 350}, {301, 330}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = cutSignalRegions(gene(101, 300, '+'), gene(c.secondStart, 900, '+'), '+', genome);
        EXPECT_EQ(r.terminatorRegion, forward(s, c.terminator[0], c.terminator[1]));
        EXPECT_EQ(r.promoterRegion, forward(s, c.promoter[0], c.promoter[1]));
        if (c.sd[0] != 0) {
            EXPECT_EQ(r.sdRegion, forward(s, c.sd[0], c.sd[1]));
        }
        EXPECT_FALSE(r.clipped);
    }
}

TEST(SignalRegions, MinusStrandReadsTheReverseComplement)
{
    const std::string s = patternGenome(1000);
    const auto genome = makeGenomeSequence(s);
    // On '-' the upstream gene is second (551..900, stop codon at 551), the
    // downstream gene first (101..300, start codon at 300).
    const auto longGap = cutSignalRegions(gene(101, 300, '-'), gene(551, 900, '-'), '-', genome);
    EXPECT_EQ(longGap.terminatorRegion, minusStrand(s, 451, 550));
    EXPECT_EQ(longGap.promoterRegion, minusStrand(s, 321, 400));
    EXPECT_EQ(longGap.sdRegion, minusStrand(s, 301, 320));

    const auto overlap = cutSignalRegions(gene(101, 300, '-'), gene(297, 600, '-'), '-', genome);
    EXPECT_EQ(overlap.terminatorRegion, minusStrand(s, 277, 296));
    EXPECT_EQ(overlap.promoterRegion, minusStrand(s, 321, 335));

    const auto middle = cutSignalRegions(gene(101, 300, '-'), gene(351, 600, '-'), '-', genome);
    EXPECT_EQ(middle.promoterRegion, minusStrand(s, 321, 350));
}

TEST(SignalRegions, RegionsNearTheGenomeEndsStayInside)
{
    const std::string s = patternGenome(400);
    const auto genome = makeGenomeSequence(s);
    // Upstream gene ends 10 bases before the end: the last 20 bases are taken.
    const auto atEnd = cutSignalRegions(gene(100, 390, '+'), gene(392, 400, '+'), '+', genome);
    EXPECT_EQ(atEnd.terminatorRegion, forward(s, 381, 400));
    EXPECT_EQ(atEnd.sdRegion, forward(s, 372, 391));
    EXPECT_FALSE(atEnd.clipped);
    // Downstream gene starting at 10: promoter and SD would start before base 1.
    const auto atStart = cutSignalRegions(gene(1, 5, '+'), gene(10, 200, '+'), '+', genome);
    EXPECT_TRUE(atStart.clipped);
    EXPECT_EQ(atStart.promoterRegion, "");
    EXPECT_TRUE(atStart.sdRegion.empty());
    // On '-' near the end of the genome.
    const auto minusEnd = cutSignalRegions(gene(300, 390, '-'), gene(395, 400, '-'), '-', genome);
    EXPECT_TRUE(minusEnd.sdRegion.empty());
    EXPECT_LE(minusEnd.promoterRegion.size(), 15u);
    // A genome shorter than 20 bases.
    const auto tiny = makeGenomeSequence("ACGTACGTAC");
    const auto r = cutSignalRegions(gene(1, 3, '+'), gene(5, 9, '+'), '+', tiny);
    EXPECT_EQ(r.terminatorRegion, "ACGTACGTAC");
    EXPECT_TRUE(r.clipped);
}

TEST(SignalRegions, WindowCounts)
{
    EXPECT_EQ(windowCount(Signal::Terminator, 100), 80u);
    EXPECT_EQ(windowCount(Signal::Terminator, 21), 1u);
    EXPECT_EQ(windowCount(Signal::Terminator, 20), 0u);
    EXPECT_EQ(windowCount(Signal::Terminator, 5), 0u);
    EXPECT_EQ(windowCount(Signal::Promoter, 80), 71u);
    EXPECT_EQ(windowCount(Signal::Promoter, 10), 1u);
    EXPECT_EQ(windowCount(Signal::Sd, 20), 11u);
    EXPECT_EQ(windowCount(Signal::Sd, 0), 0u);
}

TEST(TrainingMaterial, PairsOnlySameStrandNeighbours)
{
    const auto genome = makeGenomeSequence(patternGenome(3000));
    GeneTable table;
    table.genes = {gene(100, 400, '+', "E"),   gene(420, 800, '+', "K"),
                   gene(900, 1200, '-'),       gene(1300, 1500, '+'),
                   gene(1600, 1900, '-'),      gene(1950, 2300, '-', "IQR"),
                   gene(2296, 2600, '-', "QK")};
    std::ostringstream log;
    const TrainingMaterial m = buildTrainingMaterial(genome, table, log);
    ASSERT_EQ(m.pairs.size(), 3u);
    EXPECT_EQ(m.pairs[0].first, 0u);
    EXPECT_EQ(m.pairs[0].distance, 19);
    EXPECT_EQ(m.pairs[0].categoryLabel, "E_K");
    EXPECT_EQ(m.pairs[1].strand, '-');
    EXPECT_EQ(m.pairs[1].distance, 49);
    EXPECT_EQ(m.pairs[1].categoryLabel, "-");
    EXPECT_EQ(m.pairs[2].distance, 0); // overlap of 5 bases
    EXPECT_EQ(m.pairs[2].categoryLabel, "Q_Q");
    EXPECT_NE(log.str().find("allpairs size=3\n"), std::string::npos);
    EXPECT_NE(log.str().find("allpairs_interval_size=3\n"), std::string::npos);

    GeneTable alternating;
    for (int i = 0; i < 6; ++i)
        alternating.genes.push_back(gene(100 + 400 * i, 300 + 400 * i, i % 2 ? '-' : '+'));
    EXPECT_TRUE(buildTrainingMaterial(genome, alternating, log).pairs.empty());
}

TEST(TrainingMaterial, GenesWithoutSequenceAreLeftOutAndReported)
{
    const auto genome = makeGenomeSequence(patternGenome(2000));
    GeneTable table;
    table.genes = {gene(100, 400, '+'), gene(500, 2500, '+'), gene(2600, 2700, '+'),
                   gene(450, 480, '?'), gene(600, 900, '+')};
    std::ostringstream log;
    const TrainingMaterial m = buildTrainingMaterial(genome, table, log);
    ASSERT_EQ(m.genes.size(), 2u);
    EXPECT_EQ(m.genes[0].tableIndex, 0u);
    EXPECT_EQ(m.genes[1].tableIndex, 4u);
    ASSERT_EQ(m.pairs.size(), 1u); // joins rows 0 and 4 across the left-out genes
    EXPECT_NE(log.str().find("gene 1 (500..2500 +) does not lie inside the genome"),
              std::string::npos);
    EXPECT_NE(log.str().find("gene 3 (450..480 ?) has a strand other than + or -: left out"),
              std::string::npos);

    const auto empty = makeGenomeSequence("");
    const TrainingMaterial none = buildTrainingMaterial(empty, table, log);
    EXPECT_TRUE(none.genes.empty());
    EXPECT_TRUE(none.pairs.empty());
}

TEST(TrainingMaterial, BackgroundCountsEveryCharacterInTheTotal)
{
    const std::string a = "AACG", b = "TTNa";
    const auto bg = baseComposition({&a, &b});
    EXPECT_DOUBLE_EQ(bg[0], 2.0 / 8);
    EXPECT_DOUBLE_EQ(bg[1], 1.0 / 8);
    EXPECT_DOUBLE_EQ(bg[2], 1.0 / 8);
    EXPECT_DOUBLE_EQ(bg[3], 2.0 / 8);
}

TEST(TrainingMaterial, EncodingOfRegionsAndLabels)
{
    CandidatePair p;
    p.terminatorRegion = "ACGTN";
    p.promoterRegion = "acgt";
    p.sdRegion = "";
    p.categoryLabel = "E_K";
    CandidatePair q;
    q.categoryLabel = "-";
    const EncodedPairs e = encodePairs({p, q});
    const std::uint8_t* t = e.bases(0, Signal::Terminator);
    EXPECT_EQ(std::vector<int>(t, t + 5), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(e.region(0, Signal::Terminator).acgtOnly);
    const std::uint8_t* pr = e.bases(0, Signal::Promoter);
    EXPECT_EQ(std::vector<int>(pr, pr + 4), (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(e.length(0, Signal::Sd), 0u);
    EXPECT_EQ(e.categoryCell[0], (std::array<int, 2>{4, 10}));
    EXPECT_EQ(e.categoryCell[1], (std::array<int, 2>{-1, -1}));
    EXPECT_EQ(e.lanes(0, Signal::Terminator)[2], (std::uint64_t{5} << 32) | 4u);
}
