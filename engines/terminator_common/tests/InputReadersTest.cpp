#include "TerminatorTestSupport.h"
#include "terminator/GenomeText.h"
#include "terminator/LocusTable.h"
#include "terminator/NumberText.h"
#include "terminator/RunError.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::terminator;
using meridan::terminator::testsupport::ScratchDir;
using meridan::terminator::testsupport::pttHeader;

namespace {

std::vector<LocusRecord> parse(const std::string& text, SynonymColumn synonym = SynonymColumn::Read)
{
    std::istringstream in(text);
    return parseLocusTable(in, "genes.ptt", synonym);
}

std::string parseFailure(const std::string& text, SynonymColumn synonym = SynonymColumn::Read)
{
    try {
        parse(text, synonym);
    } catch (const RunError& error) {
        return error.what();
    }
    return "no error";
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

TEST(TerminatorLocusTable, BadRowsAreReportedByFileAndLine)
{
    EXPECT_EQ(parseFailure(pttHeader(1) + "1..90\n"), "Bad line 4 in file genes.ptt: no Strand column !");
    EXPECT_EQ(parseFailure(pttHeader(2) + "1..90\t+\t29\t-\t-\tA1\n1..90\t?\t29\t-\t-\tA2\n"),
              "Bad line 5 in file genes.ptt: Strand \"?\" is neither + nor - !");
    EXPECT_EQ(parseFailure(pttHeader(1) + "1..90\t+\t29\t-\n"),
              "Bad line 4 in file genes.ptt: no Synonym column !");
    // The discovery engine needs no Synonym column.
    EXPECT_EQ(parse(pttHeader(1) + "1..90\t+\n", SynonymColumn::Skip).size(), 1u);
}

TEST(TerminatorLocusTable, UnopenableFileGivesTheEngineMessage)
{
    std::ostringstream trace;
    try {
        readLocusTable("/nonexistent/NC_000000.ptt", SynonymColumn::Skip, trace);
        FAIL() << "expected a failure";
    } catch (const RunError& error) {
        EXPECT_EQ(std::string(error.what()), "Can't open file /nonexistent/NC_000000.ptt !");
    }
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

TEST(TerminatorGenomeText, ConcatenatesAllTokensAfterTheHeader)
{
    std::istringstream wrapped(">id description\nACGT\nacgt\r\nNN\n");
    std::istringstream unwrapped(">id description\nACGTacgtNN");
    std::istringstream blanks(">id\nACG T\n\n  ac gtNN \n");
    EXPECT_EQ(parseGenomeText(wrapped), "ACGTacgtNN");
    EXPECT_EQ(parseGenomeText(unwrapped), "ACGTacgtNN");
    EXPECT_EQ(parseGenomeText(blanks), "ACGTacgtNN");
    // A header of any length is skipped whole.
    std::istringstream longHeader(">" + std::string(500, 'h') + "\nAC\n");
    EXPECT_EQ(parseGenomeText(longHeader), "AC");
    std::istringstream empty(">only a header\n");
    EXPECT_EQ(parseGenomeText(empty), "");
    EXPECT_FALSE(readGenomeText("/nonexistent/NC_000000.fna").has_value());
}

TEST(TerminatorGenomeText, GenomeIdIsCutFromThePath)
{
    EXPECT_EQ(genomeIdFromPath("/data/genomes/NC_000913.fna").value(), "NC_000913");
    EXPECT_EQ(genomeIdFromPath("NC_005816.ptt").value(), "NC_005816");
    EXPECT_EQ(genomeIdFromPath("pPCP1.ptt").value(), "pPCP1");
    EXPECT_FALSE(genomeIdFromPath("../x/..ptt").has_value());
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
