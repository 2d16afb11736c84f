#include "TerminatorTestSupport.h"
#include "terminator/GenePairs.h"
#include "terminator/PairFile.h"
#include "terminator/RunError.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::terminator;
using meridan::terminator::testsupport::ScratchDir;
using meridan::terminator::testsupport::readText;

namespace {

LocusRecord gene(const std::string& location, char strand, const std::string& synonym = "")
{
    LocusRecord record;
    record.location = location;
    record.strand = strand;
    record.synonym = synonym;
    splitLocation(location, record.startText, record.endText);
    return record;
}

} // namespace

TEST(TerminatorGenePairs, PairsAcrossStrandsSkipTheGenesBetween)
{
    const std::vector<LocusRecord> genes = {gene("10..100", '+', "g1"), gene("150..300", '-', "g2"),
                                            gene("400..500", '+', "g3"), gene("520..600", '+', "g4"),
                                            gene("700..800", '-', "g5"), gene("900..950", '+', "g6")};
    const std::vector<GenePair> pairs = formGenePairs(genes);
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0].upstream.synonym, "g1");
    EXPECT_EQ(pairs[0].downstream.synonym, "g3");
    EXPECT_EQ(pairs[1].upstream.synonym, "g2");
    EXPECT_EQ(pairs[1].downstream.synonym, "g5");
    EXPECT_EQ(pairs[2].upstream.synonym, "g3");
    EXPECT_EQ(pairs[2].downstream.synonym, "g4");
    EXPECT_EQ(pairs[3].upstream.synonym, "g4");
    EXPECT_EQ(pairs[3].downstream.synonym, "g6");
    // The last gene of each strand (g5 on -, g6 on +) leads no pair.
    // The leading gene is the upstream one on +, the downstream one on -.
    EXPECT_EQ(pairs[0].leading().synonym, "g1");
    EXPECT_EQ(pairs[1].leading().synonym, "g5");
}

TEST(TerminatorGenePairs, FewerThanTwoGenesOfAStrandGiveNoPairs)
{
    EXPECT_TRUE(formGenePairs({}).empty());
    EXPECT_TRUE(formGenePairs({gene("1..90", '+')}).empty());
    EXPECT_TRUE(formGenePairs({gene("1..90", '+'), gene("100..190", '-')}).empty());
}

TEST(TerminatorPairFile, LayoutHasTwoTabsAndNoFinalLineBreak)
{
    const std::vector<LocusRecord> genes = {gene("190..255", '+'), gene("337..2799", '+'),
                                            gene("3000..3500", '-'), gene("2801..3733", '+'),
                                            gene("4000..4100", '-')};
    const std::vector<GenePair> pairs = formGenePairs(genes);
    EXPECT_EQ(formatPairFile(pairs), "3\n255\t\t337\t\t+\n2799\t\t2801\t\t+\n3500\t\t4000\t\t-");
    EXPECT_EQ(formatPairFile({}), "0\n");
}

TEST(TerminatorPairFile, WrittenAndReadBack)
{
    ScratchDir dir;
    const std::vector<GenePair> pairs = formGenePairs(
        {gene("190..255", '+'), gene("300..400", '-'), gene("337..2799", '+'), gene("500..600", '-')});
    writePairFile(dir / kPairFileName, pairs);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "wholepairs_loc.txt.part"));
    const std::vector<PairLocation> back = readPairFile(dir / kPairFileName);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].upstreamEnd, 255);
    EXPECT_EQ(back[0].downstreamStart, 337);
    EXPECT_EQ(back[0].strand, '+');
    EXPECT_EQ(back[1].upstreamEnd, 400);
    EXPECT_EQ(back[1].downstreamStart, 500);
    EXPECT_EQ(back[1].strand, '-');

    writePairFile(dir / kPairFileName, {});
    EXPECT_EQ(readText(dir / kPairFileName), "0\n");
    EXPECT_TRUE(readPairFile(dir / kPairFileName).empty());
}

TEST(TerminatorPairFile, MalformedFilesAreReportedByLine)
{
    const auto failure = [](const std::string& text) {
        std::istringstream in(text);
        return meridan::testtext::thrownMessage<RunError>([&] { parsePairFile(in, "pairs.txt"); });
    };
    EXPECT_EQ(failure("2\n10\t\t20\t\t+"), "Bad line 3 in file pairs.txt: the file ends after 1 of 2 pairs !");
    EXPECT_EQ(failure("1\n10 20 +"), "Bad line 2 in file pairs.txt: expected <end>\\t\\t<start>\\t\\t<strand> !");
    EXPECT_EQ(failure("x\n"), "Bad line 1 in file pairs.txt: \"x\" is not a pair count !");
    EXPECT_EQ(failure(""), "Bad line 1 in file pairs.txt: no pair count !");

    std::istringstream crlf("1\r\n10\t\t20\t\t-\r\n");
    const std::vector<PairLocation> pairs = parsePairFile(crlf, "crlf.txt");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].strand, '-');
}

TEST(TerminatorPairFile, UnwritableLocationIsReportedAndLeavesNothing)
{
    ScratchDir dir;
    const std::filesystem::path target = dir.path() / "missing" / kPairFileName;
    EXPECT_EQ(meridan::testtext::thrownMessage<RunError>([&] { writePairFile(target, {}); }),
              "Can't open file " + target.string() + " !");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(TerminatorGenePairs, NoPairJoinsTwoRecordsOfAJoinedGenome)
{
    const std::vector<LocusRecord> genes = {gene("10..100", '+', "a1"), gene("150..300", '+', "a2"),
                                            gene("400..500", '-', "a3"), gene("1310..1400", '+', "b1"),
                                            gene("1450..1500", '-', "b2"), gene("1600..1700", '+', "b3")};
    meridan::genome::RecordTable records;
    records.records = {{"a", 1, 1000}, {"b", 1301, 500}};
    const std::vector<GenePair> pairs = formGenePairs(genes, records);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].upstream.synonym + pairs[0].downstream.synonym, "a1a2");
    EXPECT_EQ(pairs[1].upstream.synonym + pairs[1].downstream.synonym, "b1b3");
    EXPECT_EQ(formGenePairs(genes, {}).size(), 4u); // one record: a2-b1 and a3-b2 too
}
