#include "TerminatorTestSupport.h"
#include "terminator/GenomeText.h"
#include "terminator/LocusTable.h"
#include "terminator/NumberText.h"
#include "terminator/RunError.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::terminator;
using meridan::terminator::testsupport::ScratchDir;
using meridan::terminator::testsupport::pttHeader;

namespace {

std::vector<LocusRecord> parse(const std::string& text, SynonymColumn synonym = SynonymColumn::Read)
{
    std::istringstream in(text);
    return parseLocusTable(in, synonym);
}

} // namespace

TEST(TerminatorLocusTable, KeepsLocationStrandAndSynonym)
{
    const auto records = parse(pttHeader(2)
                               + "190..255\t+\t21\t16127995\tthrL\tb0001\t-\t-\tthr operon leader peptide\n"
                                 "5683..6459\t-\t258\t16128004\tyaaA\tb0006\t-\tCOG3022S\tconserved protein\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].location, "190..255");
    EXPECT_EQ(records[0].startText, "190");
    EXPECT_EQ(records[0].endText, "255");
    EXPECT_EQ(records[0].strand, '+');
    EXPECT_EQ(records[0].synonym, "b0001");
    EXPECT_EQ(records[1].strand, '-');
    EXPECT_EQ(records[1].synonym, "b0006");
}

TEST(TerminatorLocusTable, LastRowWithoutLineBreakIsKept)
{
    const std::string rows = "1..90\t+\t29\t-\t-\tA1\t-\t-\tp\n100..190\t+\t29\t-\t-\tA2\t-\t-\tp";
    EXPECT_EQ(parse(pttHeader(2) + rows).size(), 2u);
    EXPECT_EQ(parse(pttHeader(2) + rows + "\n").size(), 2u);
    EXPECT_EQ(parse(pttHeader(2) + rows + "\n\n  \n").size(), 2u);
    // Windows line ends and blank lines between rows change nothing.
    const auto crlf = parse(pttHeader(2) + "1..90\t+\t29\t-\t-\tA1\t-\t-\tp\r\n\r\n100..190\t-\t29\t-\t-\tA2\r\n");
    ASSERT_EQ(crlf.size(), 2u);
    EXPECT_EQ(crlf[1].synonym, "A2");
    EXPECT_TRUE(parse("title\n").empty());
}

// Both terminator engines leave out the same rows, so that their gene pairs agree.
TEST(TerminatorLocusTable, UnusableRowsAreLeftOutByBothEngines)
{
    const std::string rows = pttHeader(4) + "1..90\n1..90\t?\t29\t-\t-\tA2\n1..90\t+\t29\t-\n"
                             "100..190\t-\t29\t-\t-\tA4\n";
    for (const SynonymColumn synonym : {SynonymColumn::Read, SynonymColumn::Skip}) {
        const auto records = parse(rows, synonym);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].location, "100..190");
        EXPECT_EQ(records[0].synonym, synonym == SynonymColumn::Read ? "A4" : "");
    }
}

TEST(TerminatorLocusTable, UnopenableFileGivesTheEngineMessage)
{
    std::ostringstream trace;
    EXPECT_EQ(meridan::testtext::thrownMessage<RunError>([&] { readLocusTable("/nonexistent/NC_000000.ptt", SynonymColumn::Skip, trace); }),
              "Can't open file /nonexistent/NC_000000.ptt !");
    ScratchDir dir;
    meridan::terminator::testsupport::writeText(dir / "g.ptt", pttHeader(1) + "1..90\t+\t29\t-\t-\tA1\n");
    EXPECT_EQ(readLocusTable((dir / "g.ptt").string(), SynonymColumn::Read, trace).size(), 1u);
    EXPECT_EQ(trace.str(), "geneSize= 1\n");
}

TEST(TerminatorLocusTable, LocationSplitKeepsText)
{
    std::string start, end;
    splitLocation("190..255", start, end);
    EXPECT_EQ(start, "190");
    EXPECT_EQ(end, "255");
    splitLocation("12", start, end);
    EXPECT_EQ(start, "12");
    EXPECT_EQ(end, "");
    splitLocation("5.", start, end);
    EXPECT_EQ(start, "5");
    EXPECT_EQ(end, "");
    EXPECT_EQ(leadingInteger("255"), 255);
    EXPECT_EQ(leadingInteger("-7x"), -7);
    EXPECT_EQ(leadingInteger("abc"), 0);
    EXPECT_EQ(leadingInteger("99999999999999999999999"), 1'000'000'000'000LL);
}

TEST(TerminatorGenomeText, TheFirstRecordIsTheGenome)
{
    std::istringstream wrapped(">id description\nACGT\nacgt\r\nNN\n>second\nTTTT\n");
    EXPECT_EQ(parseGenomeText(wrapped), "ACGTACGTNN");
    std::istringstream empty(">only a header\n");
    EXPECT_EQ(parseGenomeText(empty), "");
    EXPECT_FALSE(readGenomeText("/nonexistent/NC_000000.fna").has_value());
}

TEST(TerminatorGenomeText, WindowsAreClippedToTheGenome)
{
    const std::string genome = "ABCDEFGHIJ";
    EXPECT_EQ(clippedWindow(genome, 2, 3), "CDE");
    EXPECT_EQ(clippedWindow(genome, -4, 6), "AB");
    EXPECT_EQ(clippedWindow(genome, 8, 120), "IJ");
    EXPECT_EQ(clippedWindow(genome, -20, 5), "");
    EXPECT_EQ(clippedWindow(genome, 12, 5), "");
    EXPECT_EQ(clippedWindow(genome, 3, -2), "");
    EXPECT_EQ(clippedWindow("", 0, 120), "");
}
