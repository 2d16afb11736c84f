#include "brintel/TuBuilder.h"

#include "SmallCase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace brintel;
using namespace brintel::test;
namespace fs = std::filesystem;

namespace {

class BrintelTuBuilderRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(dir.path().empty());
        settings.pttPath = dir.file("NC_TEST01.ptt");
        settings.genetagPath = dir.file("NC_TEST01_genetag.txt");
        settings.promoterScorePath = dir.file("NC_TEST01_promoter_scores.txt");
        settings.terminatorScorePath = dir.file("NC_TEST01_terminator_score.txt");
        settings.resultsDir = dir.file("results") + "/";
        settings.tulistPath = settings.resultsDir + "NC_TEST01_tulist.txt";
        settings.genomeId = "NC_TEST01";
        writeText(settings.pttPath, smallGeneTable());
        writeText(settings.genetagPath, smallGeneTags());
        writeText(settings.promoterScorePath, smallPromoters());
        writeText(settings.terminatorScorePath, smallTerminators());
    }

    std::vector<std::string> resultFiles() const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(settings.resultsDir, ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    TuBuilderSettings settings;
};

} // namespace

TEST_F(BrintelTuBuilderRun, SmallGenomeGivesTheThreeFilesAndConsoleLines)
{
    std::ostringstream log;
    ASSERT_TRUE(buildTuList(settings, log)) << log.str();

    EXPECT_EQ(readText(geneIndexPath(settings)), expectedGeneIndexFile());
    EXPECT_EQ(readText(summaryPath(settings)), expectedSummary());
    EXPECT_EQ(readText(settings.tulistPath), expectedTuList());
    EXPECT_EQ(resultFiles(), (std::vector<std::string>{"NC_TEST01_gene_index_file.txt",
                                                       "NC_TEST01_summary.txt", "NC_TEST01_tulist.txt"}));
    EXPECT_EQ(log.str(), "6 items from " + settings.genetagPath + "\n" +
                             "3 items from " + settings.promoterScorePath + "\n" +
                             "2 items from " + settings.terminatorScorePath + "\n" +
                             "6 items from " + settings.pttPath + "\n" +
                             "6 genes from index file " + geneIndexPath(settings) + "\n" +
                             "1 internal promoters when the cut value set 0\n"
                             "1 internal terminators when the cut value set 2\n"
                             "4 TUs including 2 alternative ones\n"
                             "1 internal promoters when the cut value set 0\n"
                             "0 internal terminators when the cut value set 2\n"
                             "2 TUs including 1 alternative ones\n"
                             "fout result sum \n"
                             "here\n");
}

TEST_F(BrintelTuBuilderRun, RerunReplacesEarlierResults)
{
    fs::create_directories(settings.resultsDir);
    writeText(summaryPath(settings), "old summary that is much longer than the new one\n\n\n\n");
    std::ostringstream log;
    ASSERT_TRUE(buildTuList(settings, log)) << log.str();
    EXPECT_EQ(readText(summaryPath(settings)), expectedSummary());
}

TEST_F(BrintelTuBuilderRun, UnopenableInputIsReportedAndNothingIsWritten)
{
    const std::vector<std::string TuBuilderSettings::*> inputs{
        &TuBuilderSettings::genetagPath, &TuBuilderSettings::promoterScorePath,
        &TuBuilderSettings::terminatorScorePath, &TuBuilderSettings::pttPath};
    for (auto input : inputs) {
        TuBuilderSettings broken = settings;
        broken.*input = dir.file("missing.txt");
        std::ostringstream log;
        EXPECT_FALSE(buildTuList(broken, log));
        EXPECT_NE(log.str().find("can't open " + dir.file("missing.txt") + "\n"), std::string::npos);
        EXPECT_TRUE(resultFiles().empty());
    }
    // A folder in place of an input file cannot be read either.
    TuBuilderSettings folder = settings;
    folder.promoterScorePath = dir.path().string();
    std::ostringstream log;
    EXPECT_FALSE(buildTuList(folder, log));
    EXPECT_NE(log.str().find("can't open " + dir.path().string() + "\n"), std::string::npos);
}

TEST_F(BrintelTuBuilderRun, UnopenableOutputLeavesEarlierResultsUntouched)
{
    fs::create_directories(settings.resultsDir);
    writeText(geneIndexPath(settings), "earlier index\n");
    writeText(summaryPath(settings), "earlier summary\n");

    TuBuilderSettings broken = settings;
    broken.tulistPath = dir.file("no/such/folder/NC_TEST01_tulist.txt");
    std::ostringstream log;
    EXPECT_FALSE(buildTuList(broken, log));
    EXPECT_NE(log.str().find("can't open " + broken.tulistPath + "\n"), std::string::npos);
    // The unwritable place is found before the work.
    EXPECT_EQ(log.str().find("here\n"), std::string::npos) << log.str();
    EXPECT_EQ(readText(geneIndexPath(settings)), "earlier index\n");
    EXPECT_EQ(readText(summaryPath(settings)), "earlier summary\n");
    EXPECT_EQ(resultFiles(), (std::vector<std::string>{"NC_TEST01_gene_index_file.txt",
                                                       "NC_TEST01_summary.txt"}));

    // A folder where the summary should go stops the run before the TU list.
    fs::remove(summaryPath(settings));
    fs::create_directory(summaryPath(settings));
    std::ostringstream log2;
    EXPECT_FALSE(buildTuList(settings, log2));
    EXPECT_NE(log2.str().find("can't open " + summaryPath(settings) + "\n"), std::string::npos);
    EXPECT_EQ(readText(geneIndexPath(settings)), "earlier index\n");
    EXPECT_FALSE(fs::exists(settings.tulistPath));
}

TEST_F(BrintelTuBuilderRun, MissingResultsFolderIsCreated)
{
    settings.resultsDir = dir.file("deeper/results") + "/";
    settings.tulistPath = settings.resultsDir + "NC_TEST01_tulist.txt";
    std::ostringstream log;
    ASSERT_TRUE(buildTuList(settings, log)) << log.str();
    EXPECT_EQ(readText(geneIndexPath(settings)), expectedGeneIndexFile());
}
