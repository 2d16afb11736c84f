#include "TerminatorTestSupport.h"
#include "terminator/NucleotideCode.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::terminator;

TEST(TerminatorNucleotideCode, BothCasesAndBadCharacters)
{
    std::ostringstream trace;
    const std::vector<Code> codes = encodeRegion("ACGTacgtNx-", trace);
    EXPECT_EQ(codes, (std::vector<Code>{0, 1, 2, 3, 0, 1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(trace.str(), "N is a bad character!\nx is a bad character!\n- is a bad character!\n");
}

TEST(TerminatorNucleotideCode, ReverseComplementKeepsCaseAndMarksOthersN)
{
    EXPECT_EQ(reverseComplement("AACGTT"), "AACGTT");
    EXPECT_EQ(reverseComplement("ACCTG"), "CAGGT");
    EXPECT_EQ(reverseComplement("acgN?"), "NNcgt");
    EXPECT_EQ(reverseComplement(""), "");
}

TEST(TerminatorNucleotideCode, AdmissiblePairsAreWatsonCrickAndGT)
{
    const std::string bases = "ACGT";
    std::vector<std::string> admissible;
    for (Code x = 0; x < 4; ++x) {
        for (Code y = 0; y < 4; ++y) {
            if (admissiblePair(x, y))
                admissible.push_back({bases[x], bases[y]});
        }
    }
    EXPECT_EQ(admissible, (std::vector<std::string>{"AT", "CG", "GC", "GT", "TA", "TG"}));
}

TEST(TerminatorCandidates, StemBaseNeedsThreePairsAndFiveApart)
{
    std::ostringstream trace;
    const std::vector<Code> x = encodeRegion("AAAAATTT", trace);
    const CandidateList candidates(x);
    ASSERT_EQ(candidates.regionLength(), 8);
    EXPECT_EQ(std::vector<int>(candidates.of(0).begin(), candidates.of(0).end()), std::vector<int>{7});
    EXPECT_EQ(std::vector<int>(candidates.of(1).begin(), candidates.of(1).end()), std::vector<int>{7});
    EXPECT_EQ(std::vector<int>(candidates.of(2).begin(), candidates.of(2).end()), std::vector<int>{7});
    for (int i = 3; i < 8; ++i)
        EXPECT_TRUE(candidates.of(i).empty()) << i;
    // j = i + 5 is the closest closing position (an empty loop).
    const CandidateList tight(encodeRegion("GGGCCC", trace));
    EXPECT_EQ(std::vector<int>(tight.of(0).begin(), tight.of(0).end()), std::vector<int>{5});
    EXPECT_EQ(CandidateList(encodeRegion("GGGCC", trace)).total(), 0u);
    EXPECT_EQ(CandidateList(std::vector<Code>{}).total(), 0u);
}

TEST(TerminatorCandidates, MatchTheRuleOnRandomRegions)
{
    std::mt19937 random(11);
    std::ostringstream trace;
    for (int round = 0; round < 50; ++round) {
        const std::vector<Code> x = encodeRegion(testsupport::randomBases(1 + round * 5, random), trace);
        const CandidateList candidates(x);
        const int length = static_cast<int>(x.size());
        for (int i = 0; i < length; ++i) {
            std::vector<int> expected;
            for (int j = i + 5; j < length && i <= length - 2; ++j) {
                if (admissiblePair(x[i], x[j]) && admissiblePair(x[i + 1], x[j - 1])
                    && admissiblePair(x[i + 2], x[j - 2]))
                    expected.push_back(j);
            }
            EXPECT_EQ(std::vector<int>(candidates.of(i).begin(), candidates.of(i).end()), expected);
        }
    }
}
