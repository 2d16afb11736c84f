// The scanner's readers of FASTA genomes and protein-table gene lists.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/GenomeInput.h"
#include "meridan/ethrin/InputError.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::ethrin;

namespace {

Genome genomeOf(const std::string& text)
{
    std::istringstream in(text);
    return parseGenome(in);
}

GeneTableRead tableOf(const std::string& text, long genomeLength = 10000)
{
    std::istringstream in(text);
    GeneTableRead t;
    parseGeneTable(in, "t.ptt", genomeLength, t);
    return t;
}

const std::string kHeader = "title\n3 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";

} // namespace

TEST(EthrinGenomeInput, WrappedLowerCaseAndCrLfLinesGiveOneSequence)
{
    const Genome g = genomeOf(">rec one\r\nACgt\r\nNNac \r\n\r\nT\n");
    EXPECT_EQ(g.codes, ethrin_test::codes("ACGTNNACT"));
    EXPECT_FALSE(g.moreRecords);
}

TEST(EthrinGenomeInput, OnlyTheFirstRecordIsRead)
{
    const Genome g = genomeOf(">one\nAC\n>two\nGG\n");
    EXPECT_EQ(g.codes, ethrin_test::codes("AC"));
    EXPECT_TRUE(g.moreRecords);
    EXPECT_TRUE(genomeOf("").codes.empty());
}

TEST(EthrinGenomeInput, MissingGenomeFileSaysSo)
{
    EXPECT_THROW(readGenome("/nonexistent/x.fna"), InputError);
}

TEST(EthrinGenomeInput, StartCodonIsTheFirstCoordinateOnPlusAndTheSecondOnMinus)
{
    const GeneTableRead t = tableOf(kHeader + "190..255\t+\t21\t1\tthrL\tb0001\t-\t-\tleader\n"
                                              "5683..6459\t-\t258\t2\tyaaA\tb0006\t-\tCOG3022S\tprotein\n");
    ASSERT_EQ(t.genes.size(), 2u);
    EXPECT_EQ(t.genes[0].synonym, "b0001");
    EXPECT_EQ(t.genes[0].strand, '+');
    EXPECT_EQ(t.genes[0].startCodon, 190);
    EXPECT_EQ(t.genes[1].strand, '-');
    EXPECT_EQ(t.genes[1].startCodon, 6459);
    EXPECT_EQ(t.genes[1].left, 5683);
    EXPECT_TRUE(t.problems.empty());
}

TEST(EthrinGenomeInput, UnusableRowsAreReportedWithFileAndLineAndSkipped)
{
    const GeneTableRead t = tableOf(kHeader + "100..200\t+\t1\t1\ta\tx1\t-\t-\tp\n"   // line 4
                                              "oops\t+\t1\t1\ta\tx2\t-\t-\tp\n"       // 5
                                              "300..400\t*\t1\t1\ta\tx3\t-\t-\tp\n"   // 6
                                              "\n"                                    // 7
                                              "300..400\t+\n"                         // 8
                                              "9000..12000\t-\t1\t1\ta\tx5\t-\t-\tp\n" // 9
                                              "500..600\t-\t1\t1\ta\tx6\t-\t-\tp\n");
    ASSERT_EQ(t.genes.size(), 2u);
    EXPECT_EQ(t.genes[0].synonym, "x1");
    EXPECT_EQ(t.genes[1].synonym, "x6");
    ASSERT_EQ(t.problems.size(), 4u);
    EXPECT_EQ(t.problems[0], "t.ptt:5: location \"oops\" is not of the form start..end; row skipped");
    EXPECT_EQ(t.problems[1], "t.ptt:6: strand \"*\" is neither + nor -; row skipped");
    EXPECT_EQ(t.problems[2], "t.ptt:8: 2 columns where 6 are needed (Location, Strand, Length, PID, Gene, Synonym); row skipped");
    EXPECT_EQ(t.problems[3], "t.ptt:9: start codon 12000 lies outside the genome (1..10000); row skipped");
}

TEST(EthrinGenomeInput, BlankSeparatedRowsAndOddSynonymsStayUsable)
{
    const GeneTableRead t = tableOf(kHeader + "100..200 + 1 1 a x1 - - protein words\r\n"
                                              "300..400\t+\t1\t1\ta\tsyn one\t-\t-\tp\n"
                                              "500..600\t+\t1\t1\ta\t\t-\t-\tp\n");
    ASSERT_EQ(t.genes.size(), 3u);
    EXPECT_EQ(t.genes[0].synonym, "x1");
    EXPECT_EQ(t.genes[1].synonym, "syn_one");
    EXPECT_EQ(t.genes[2].synonym, "-");
}
