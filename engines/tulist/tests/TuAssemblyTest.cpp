#include "brintel/TuAssembly.h"

#include "TuTestRows.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace brintel;
using namespace brintel::test;

namespace {

std::vector<int> span(int from, int to)
{
    std::vector<int> genes;
    for (int g = from; g <= to; ++g)
        genes.push_back(g);
    return genes;
}

void expectCounts(const PassCounters& c, int promoters, int terminators, int tus, int alternatives)
{
    EXPECT_EQ(c.internalPromoters, promoters);
    EXPECT_EQ(c.internalTerminators, terminators);
    EXPECT_EQ(c.tuCount, tus);
    EXPECT_EQ(c.alternativeCount, alternatives);
}

} // namespace

TEST(BrintelTuAssembly, PlusOperonSplitsAtInternalPromoterAndTerminator)
{
    GeneIndexTable table;
    table[9] = indexRow(9, 3, "+", "5", "5"); // another operon's signals stay outside
    table[10] = indexRow(10, 4, "+", "3.0");   // promoter at the first gene: no bound
    table[11] = indexRow(11, 4, "+", "-", "2.5");
    table[12] = indexRow(12, 4, "+", "0.4");
    table[13] = indexRow(13, 4, "+", "-", "7"); // terminator after the last gene: no bound
    table[14] = indexRow(14, 5, "-", "9", "9"); // other strand: not in this pass

    std::ostringstream log;
    const PassResult plus = assembleTus(table, true, 0.0, 2.0, log);
    EXPECT_EQ(plus.tus, (TuMap{{"0003.0", {9}},
                               {"0004.0", {10, 11}},
                               {"0004.1", {10, 11, 12, 13}},
                               {"0004.2", {12, 13}}}));
    expectCounts(plus.counters, 1, 1, 4, 2);
    EXPECT_EQ(log.str(), "1 internal promoters when the cut value set 0\n"
                         "1 internal terminators when the cut value set 2\n"
                         "4 TUs including 2 alternative ones\n");
}

TEST(BrintelTuAssembly, MinusOperonTranscribesTowardLowerIndexes)
{
    GeneIndexTable table;
    table[10] = indexRow(10, 4, "-", "-", "3");  // terminator of the last transcribed gene: no bound
    table[11] = indexRow(11, 4, "-", "1");
    table[12] = indexRow(12, 4, "-", "-", "2.01");
    table[13] = indexRow(13, 4, "-", "8");       // promoter of the first transcribed gene: no bound
    table[14] = indexRow(14, 5, "+", "9", "9");

    std::ostringstream log;
    const PassResult minus = assembleTus(table, false, 0.0, 2.0, log);
    EXPECT_EQ(minus.tus, (TuMap{{"0004.0", {10, 11}},
                                {"0004.1", {10, 11, 12, 13}},
                                {"0004.2", {12, 13}}}));
    expectCounts(minus.counters, 1, 1, 3, 2);
}

TEST(BrintelTuAssembly, SecondPassTakesEveryRowNotOnPlus)
{
    GeneIndexTable table;
    table[0] = indexRow(0, 0, "+");
    table[1] = indexRow(1, 1, "?");
    table[2] = indexRow(2, 2, "-");
    std::ostringstream log;
    EXPECT_EQ(assembleTus(table, true, 0.0, 2.0, log).tus, (TuMap{{"0000.0", {0}}}));
    EXPECT_EQ(assembleTus(table, false, 0.0, 2.0, log).tus, (TuMap{{"0001.0", {1}}, {"0002.0", {2}}}));
}

TEST(BrintelTuAssembly, ScoresEqualToTheCutsAreNotConfident)
{
    GeneIndexTable table;
    table[0] = indexRow(0, 1, "+", "-", "2");
    table[1] = indexRow(1, 1, "+", "0", "2.0");
    table[2] = indexRow(2, 1, "+", "0.0", "high");
    table[3] = indexRow(3, 1, "+", "weak", "-");
    std::ostringstream log;
    const PassResult atCut = assembleTus(table, true, 0.0, 2.0, log);
    EXPECT_EQ(atCut.tus, (TuMap{{"0001.0", span(0, 3)}}));
    expectCounts(atCut.counters, 0, 0, 1, 0);

    // The cut values are the caller's: lowered, the same scores become confident.
    const PassResult lowered = assembleTus(table, true, -0.5, 1.5, log);
    expectCounts(lowered.counters, 3, 2, 7, 6);
}

TEST(BrintelTuAssembly, OperonWithoutSignalsIsOneTu)
{
    GeneIndexTable table;
    for (int g = 20; g < 25; ++g)
        table[g] = indexRow(g, 7, "-");
    std::ostringstream log;
    const PassResult pass = assembleTus(table, false, 0.0, 2.0, log);
    EXPECT_EQ(pass.tus, (TuMap{{"0007.0", span(20, 24)}}));
    expectCounts(pass.counters, 0, 0, 1, 0);
}

TEST(BrintelTuAssembly, GenesWithoutOperonNumberShareOperonMinusOne)
{
    GeneIndexTable table;
    table[0] = indexRow(0, 0, "+");
    table[1] = indexRow(1, -1, "+");
    table[2] = indexRow(2, -1, "+");
    std::ostringstream log;
    EXPECT_EQ(assembleTus(table, true, 0.0, 2.0, log).tus,
              (TuMap{{"0000.0", {0}}, {"00-1.0", {1, 2}}}));
}

TEST(BrintelTuAssembly, NamesSortAsText)
{
    GeneIndexTable table;
    for (int g = 0; g < 6; ++g)
        table[g] = indexRow(g, 1, "+", "1", "3");
    std::ostringstream log;
    const PassResult pass = assembleTus(table, true, 0.0, 2.0, log);
    expectCounts(pass.counters, 5, 5, 21, 20);
    std::vector<std::string> names;
    for (const auto& [name, genes] : pass.tus)
        names.push_back(name);
    ASSERT_EQ(names.size(), 21u);
    EXPECT_EQ(names[0], "0001.0");
    EXPECT_EQ(names[1], "0001.1");
    EXPECT_EQ(names[2], "0001.10");
    EXPECT_EQ(names[12], "0001.2");
    // Ordinals run over lower bounds, then upper bounds: .1 is 0..1, .6 is 1..1.
    EXPECT_EQ(pass.tus.at("0001.1"), span(0, 1));
    EXPECT_EQ(pass.tus.at("0001.6"), span(1, 1));
    EXPECT_EQ(pass.tus.at("0001.20"), span(5, 5));
}

TEST(BrintelTuAssembly, OperonNumbersArePaddedToFourCharacters)
{
    std::ostringstream log;
    EXPECT_EQ(padOperonNumber(7, log), "0007");
    EXPECT_EQ(padOperonNumber(0, log), "0000");
    EXPECT_EQ(padOperonNumber(1234, log), "1234");
    EXPECT_EQ(padOperonNumber(-1, log), "00-1");
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(padOperonNumber(12345, log), "12345");
    EXPECT_EQ(padOperonNumber(-1234, log), "-1234");
    EXPECT_EQ(log.str(), "given length is not enough.\ngiven length is not enough.\n");
}

TEST(BrintelTuAssembly, MergeAppendsPlusGenesToAnExistingName)
{
    TuMap other{{"00-1.0", {4, 5}}, {"0002.0", {2}}};
    const TuMap plus{{"00-1.0", {1, 3}}, {"0001.0", {0}}};
    mergeTuMaps(other, plus);
    EXPECT_EQ(other, (TuMap{{"00-1.0", {4, 5, 1, 3}}, {"0001.0", {0}}, {"0002.0", {2}}}));
}
