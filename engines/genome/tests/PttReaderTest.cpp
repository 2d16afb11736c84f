#include "meridan/genome/PttReader.h"
#include "meridan/genome/TextFields.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::genome;

namespace {

const std::string header = "Some genome - 1..20000\n3 proteins\n"
                           "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";

GeneTable readText(const std::string& text, std::ostream* trace = nullptr)
{
    std::istringstream in(text);
    return readGeneTable(in, trace, "t.ptt");
}

} // namespace

TEST(PttReader, ReadsRowsAndConvertsCogColumns)
{
    const auto table = readText(
        header + "190..255\t+\t21\t16127995\tthrL\tb0001\t-\t-\tleader peptide\n"
                 "337..2799\t-\t820\t16127996\tthrA\tb0002\t-\tCOG1028IQR\tfused kinase\n"
                 "2801..3733\t+\t310\t16127997\tthrB\tb0003\t-\tCOG0642T,COG2205T\tkinase\n");
    ASSERT_EQ(table.geneCount, 3);
    ASSERT_EQ(table.genes.size(), 3u);
    const GeneRecord& a = table.genes[0];
    EXPECT_EQ(a.location, "190..255");
    EXPECT_EQ(a.start, 190);
    EXPECT_EQ(a.end, 255);
    EXPECT_EQ(a.strand, '+');
    EXPECT_EQ(a.length, 21);
    EXPECT_EQ(a.pid, "16127995");
    EXPECT_EQ(a.name, "thrL");
    EXPECT_EQ(a.cog, "-");
    EXPECT_EQ(table.genes[1].strand, '-');
    EXPECT_EQ(table.genes[1].cog, "IQR");
    EXPECT_EQ(table.genes[2].cog, "TT");
}

TEST(PttReader, CogConversion)
{
    EXPECT_EQ(convertCog("-"), "-");
    EXPECT_EQ(convertCog("COG0001H"), "H");
    EXPECT_EQ(convertCog("COG0001H,COG0002K"), "HK");
    EXPECT_EQ(convertCog("COG4999"), "");
    EXPECT_EQ(convertCog("COG1,COG0002KL"), "KL"); // short entry: no letters, no overrun
    EXPECT_EQ(convertCog(""), "");
}

TEST(PttReader, KeepsTheLastRowWithoutFinalLineBreak)
{
    const std::string rows = "1..90\t+\t29\t1\ta\tx1\t-\t-\tp\n"
                             "100..190\t+\t30\t2\tb\tx2\t-\tCOG0001H\tp";
    const auto table = readText(header + rows);
    ASSERT_EQ(table.geneCount, 2);
    EXPECT_EQ(table.genes[1].location, "100..190");
    EXPECT_EQ(table.genes[1].cog, "H");

    const auto withBreak = readText(header + rows + "\n");
    EXPECT_EQ(withBreak.geneCount, 2);
    const auto trailingBlankLines = readText(header + rows + "\n\n \r\n");
    EXPECT_EQ(trailingBlankLines.geneCount, 2);
}

TEST(PttReader, ExchangesCoordinatesOfALongFirstGeneOnly)
{
    const auto table = readText(header + "1..12000\t+\t1\t1\ta\tx1\t-\t-\tp\n"
                                         "12100..13000\t+\t1\t2\tb\tx2\t-\t-\tp\n");
    ASSERT_EQ(table.geneCount, 2);
    EXPECT_EQ(table.genes[0].start, 12000);
    EXPECT_EQ(table.genes[0].end, 1);
    EXPECT_EQ(table.genes[1].start, 12100);
    EXPECT_EQ(table.genes[1].end, 13000);

    const auto boundary = readText(header + "1..10000\t+\t1\t1\ta\tx1\t-\t-\tp\n");
    EXPECT_EQ(boundary.genes[0].start, 1);
    EXPECT_EQ(boundary.genes[0].end, 10000);
}

TEST(PttReader, ShortRowsAreLeftOutAndBadNumbersReadAsZero)
{
    std::ostringstream trace;
    const auto table = readText(header + "5..50\t+\tabc\t7\tg\ts\t-\tCOG0001H\tproduct text\n"
                                         "60..90\t-\t12\r\n"
                                         "100..150\t+\t17\t8\th\ts\t-\t-\tlast\r\n",
                                &trace);
    // A row without the columns up to Synonym is left out, as by every engine.
    ASSERT_EQ(table.geneCount, 2);
    EXPECT_EQ(table.genes[0].length, 0);
    EXPECT_EQ(table.genes[0].pid, "7");
    EXPECT_EQ(table.genes[0].cog, "H");
    EXPECT_EQ(table.genes[1].start, 100);
    EXPECT_EQ(table.genes[1].cog, "-");
    EXPECT_NE(trace.str().find("geneSize= 2\n"), std::string::npos);
}

TEST(PttReader, HeaderOnlyOrEmptyInputGivesNoGenes)
{
    EXPECT_EQ(readText(header).geneCount, 0);
    EXPECT_EQ(readText("").geneCount, 0);
    EXPECT_EQ(readText("title\n").geneCount, 0);
}

TEST(PttReader, LocationParsing)
{
    EXPECT_EQ(parseLocation("190..255"), std::make_pair(190, 255));
    EXPECT_EQ(parseLocation("7..9x"), std::make_pair(7, 9));
    EXPECT_EQ(parseLocation("12"), std::make_pair(12, 0));
    EXPECT_EQ(parseLocation("12."), std::make_pair(12, 0));
    EXPECT_EQ(parseLocation(""), std::make_pair(0, 0));
    EXPECT_EQ(meridan::genome::leadingInt("-42abc"), -42);
    EXPECT_EQ(meridan::genome::leadingInt("+7"), 7);
    EXPECT_EQ(meridan::genome::leadingInt("x1"), 0);
    EXPECT_EQ(meridan::genome::leadingInt("99999999999999"), 2147483647);
    EXPECT_EQ(meridan::genome::leadingInt("-99999999999999"), -2147483647 - 1);
}

TEST(PttReader, UnopenableFileGivesTheMessage)
{
    const auto result = readGeneTable(std::string("/nonexistent-folder/x.ptt"));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, "Can't open file /nonexistent-folder/x.ptt !");
}
