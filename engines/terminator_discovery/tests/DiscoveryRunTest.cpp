#include "TerminatorTestSupport.h"
#include "castrel/Discovery.h"
#include "terminator/ModelFiles.h"
#include "terminator/NumberText.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::castrel;
using namespace meridan::terminator::testsupport;
using meridan::terminator::kModelExtensions;

namespace {

using meridan::testtext::lines;

} // namespace

TEST(TerminatorDiscoveryRun, WritesTheSevenModelFilesAndALogLine)
{
    ScratchDir dir;
    const SyntheticGenome genome = makeSyntheticGenome(dir.path());
    std::filesystem::create_directories(dir / "results");
    const DiscoveryInputs inputs{genome.fna.string(), genome.ptt.string(), (dir / "results").string() + "/",
                                 dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"};
    std::ostringstream out;
    const DiscoveryResult result = runDiscovery(inputs, out);
    ASSERT_TRUE(result.ok) << out.str();

    const std::string prefix = inputs.outputDir + "NC_999999";
    for (const char* extension : kModelExtensions)
        EXPECT_TRUE(std::filesystem::exists(prefix + extension)) << extension;
    EXPECT_EQ(readLines(prefix + ".ls").size(), 120u);
    EXPECT_EQ(readLines(prefix + ".ll").size(), 120u);
    EXPECT_EQ(readLines(prefix + ".lt").size(), 120u);
    EXPECT_EQ(readLines(prefix + ".ws").size(), 4u);
    EXPECT_EQ(readText(prefix + ".ifo").back(), '\n');
    const std::string bf = readText(prefix + ".bf");
    EXPECT_EQ(std::count(bf.begin(), bf.end(), ' '), 3);
    EXPECT_EQ(bf.find('\n'), std::string::npos);

    // The pair file stays for the scanning engine; 40 genes, 8 per strand
    // run of five: every gene except the last of each strand leads a pair.
    const std::vector<std::string> pairLines = readLines(dir / "wholepairs_loc.txt");
    ASSERT_FALSE(pairLines.empty());
    EXPECT_EQ(pairLines[0], "38");
    EXPECT_EQ(pairLines.size(), 39u);

    const std::vector<std::string> log = readLines(dir / "log.txt");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], prefix + meridan::terminator::defaultNotation(result.score) + ",1");

    const std::vector<std::string> trace = lines(out.str());
    ASSERT_GE(trace.size(), 8u);
    EXPECT_EQ(trace[0], "Usage: Tavrik <fnafile> <pttfile>");
    EXPECT_EQ(trace[1], "terminator" + inputs.outputDir);
    EXPECT_EQ(trace[2], "geneSize= 40");
    EXPECT_EQ(trace[3], "NSEQ=38");
    EXPECT_EQ(trace[4], prefix);
    EXPECT_EQ(trace[5], "Session 1 Starts!");
    EXPECT_EQ(trace.back(), "the end of Castrel");

    // log.txt grows by one line per run.
    ASSERT_TRUE(runDiscovery(inputs, out).ok);
    EXPECT_EQ(readLines(dir / "log.txt").size(), 2u);
}

TEST(TerminatorDiscoveryRun, UnopenableInputsLeaveNothingBehind)
{
    ScratchDir dir;
    const SyntheticGenome genome = makeSyntheticGenome(dir.path(), 6);
    std::filesystem::create_directories(dir / "results");
    const std::string results = (dir / "results").string() + "/";

    std::ostringstream out;
    const std::string missingPtt = (dir / "NC_000000.ptt").string();
    EXPECT_FALSE(runDiscovery({genome.fna.string(), missingPtt, results, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out).ok);
    EXPECT_EQ(lines(out.str()).back(), "Can't open file " + missingPtt + " !");

    out.str("");
    const std::string missingFna = (dir / "NC_000000.fna").string();
    EXPECT_FALSE(runDiscovery({missingFna, genome.ptt.string(), results, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out).ok);
    EXPECT_EQ(lines(out.str()).back(), "Can't open file " + missingFna + " !");

    out.str("");
    const std::string noFolder = (dir / "absent").string() + "/";
    EXPECT_FALSE(runDiscovery({genome.fna.string(), genome.ptt.string(), noFolder, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out).ok);
    EXPECT_EQ(lines(out.str()).back(), "Can't open file " + noFolder + "NC_999999.bf !");

    EXPECT_TRUE(std::filesystem::is_empty(dir / "results"));
    EXPECT_FALSE(std::filesystem::exists(dir / "wholepairs_loc.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "log.txt"));
}

TEST(TerminatorDiscoveryRun, NoPairsOrNoSequenceWritesNoModel)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "results");
    const std::string results = (dir / "results").string() + "/";
    writeText(dir / "NC_999999.fna", fastaText(std::string(3000, 'A')));
    writeText(dir / "NC_999999.ptt", pttText({{100, 400, '+', "A1"}, {600, 900, '-', "A2"}}));

    std::ostringstream out;
    const std::string fna = (dir / "NC_999999.fna").string();
    const std::string ptt = (dir / "NC_999999.ptt").string();
    EXPECT_FALSE(runDiscovery({fna, ptt, results, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out).ok);
    EXPECT_EQ(lines(out.str()).back(), "No gene pairs in " + ptt + " ! No terminator model written.");

    out.str("");
    writeText(dir / "NC_999999.ptt", pttText({{100, 400, '+', "A1"}, {600, 900, '+', "A2"}}));
    writeText(dir / "NC_999999.fna", ">empty\n");
    EXPECT_FALSE(runDiscovery({fna, ptt, results, dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"}, out).ok);
    EXPECT_NE(out.str().find("No sequence in " + fna), std::string::npos);

    EXPECT_TRUE(std::filesystem::is_empty(dir / "results"));
    EXPECT_FALSE(std::filesystem::exists(dir / "wholepairs_loc.txt"));
}

TEST(TerminatorDiscoveryRun, GenesAtTheGenomeEndsAreClipped)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "results");
    std::mt19937 random(9);
    writeText(dir / "NC_999999.fna", fastaText(randomBases(700, random)));
    // A + gene ending at base 5 and a - gene starting at base 695, both
    // within 10 bases of a genome end, and a gene table reaching past it.
    writeText(dir / "NC_999999.ptt", pttText({{1, 5, '+', "A1"},
                                              {200, 300, '-', "A2"},
                                              {400, 500, '+', "A3"},
                                              {695, 700, '-', "A4"},
                                              {800, 900, '+', "A5"}}));
    std::ostringstream out;
    const DiscoveryResult result = runDiscovery(
        {(dir / "NC_999999.fna").string(), (dir / "NC_999999.ptt").string(), (dir / "results").string() + "/",
         dir.path() / "wholepairs_loc.txt", dir.path() / "log.txt"},
        out);
    EXPECT_TRUE(result.ok) << out.str();
    EXPECT_TRUE(std::isfinite(result.score));
}
