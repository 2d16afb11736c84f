#include "meridan/evidence/OperonRefinement.h"
#include "meridan/evidence/ResultInputs.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace meridan::evidence;

namespace {

std::string writeFile(const std::string& name, const std::string& text)
{
    const auto path = std::filesystem::temp_directory_path() / ("meridan_evidence_" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

using meridan::testtext::readFile;

const char* const kTable = "Genome - 1..5000\n3 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
                           "100..400\t+\t100\t1\tx\tg1\t-\tCOG0001E\tp\n"
                           "420..900\t+\t160\t2\ty\tg2\t-\tCOG0002EK\tp\n"
                           "2000..2600\t-\t200\t3\t-\tg3\t-\t-\tp\n";

} // namespace

TEST(OperonEvidenceInputs, ResultFilesAreReadByPosition)
{
    const auto genes = readGeneTable(writeFile("genes.ptt", kTable));
    ASSERT_EQ(genes.size(), 3u);
    EXPECT_EQ(genes[1].cog, "EK");
    EXPECT_EQ(genes[1].name, "y");
    EXPECT_EQ(genes[2].name, "");
    EXPECT_EQ(genes[2].startCodon(), 2600);
    const auto hits = readPromoterHits(writeFile(
        "s70.sca.dat", "synonym\tstrand\ttss\tstart\tscore\tp\tb\tp\tb\tsp\n"
                       "g2\t+\t395\t-60\t1.25\t360\tTTGACA\t383\tTATAAT\t17\n"));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].tss, 395);
    EXPECT_DOUBLE_EQ(hits[0].score, 1.25);
    const auto rows = readTerminatorRows(writeFile(
        "term.txt", "   12         6         4         9             3.75\t\tGGGGGGCCAACCCCCCTTTTTTTTT\tg1\n"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].length(), 25);
    EXPECT_EQ(rows[0].label, "g1");
    const auto tus = readTuMembers(writeFile("tu.txt", "G\t0000.0\t+\tg1|1|0,g2|2|1\t-\t-\t-\n"));
    ASSERT_EQ(tus.size(), 1u);
    EXPECT_EQ(tus[0], (std::vector<long>{0, 1}));
}

TEST(OperonEvidenceInputs, BadRowsNameFileAndLineOrAreLeftOutAsByTheEngines)
{
    const auto expectError = [](const auto& read, const std::string& where) {
        try {
            read();
            ADD_FAILURE() << "no error for " << where;
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
        }
    };
    // Gene-table rows no engine can use are left out, as every engine does.
    const auto table = writeFile("bad.ptt", std::string(kTable) + "5..x\t+\t1\t1\tq\tg4\t-\t-\tp\n" +
                                                "6000..6100\t?\t1\t1\tq\tg5\t-\t-\tp\n");
    EXPECT_EQ(readGeneTable(table).size(), 3u);
    expectError([&] { readGeneTable("/nonexistent/x.ptt"); }, "x.ptt");
    const auto tags = writeFile("bad_genetag.txt", "0    -1    -1    -1\nzero    -1\n");
    expectError([&] { readGeneTags(tags); }, "bad_genetag.txt:2");
    const auto term = writeFile("bad_term.txt", "1 2 3\n");
    expectError([&] { readTerminatorRows(term); }, "bad_term.txt:1");
    expectError([&] { readGeneTags("/nonexistent/x_genetag.txt"); }, "x_genetag.txt");
}

TEST(OperonEvidenceInputs, RefinementRewritesOnlyOperonNumbersAndNeverHalfWrites)
{
    const auto table = writeFile("refine.ptt", kTable);
    const std::string engineTags = "0    -1    -1    -1\n0    12    -1    -1\n1    -1    -1    -1\n";
    const auto tags = writeFile("refine_genetag.txt", engineTags);
    RefinementRequest request;
    request.geneTables = {table};
    request.geneTagPath = tags;
    request.outputPath = writeFile("refined_genetag.txt", "");
    const auto outcome = refineOperons(request);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.candidates, 1u);
    const std::string refined = readFile(request.outputPath);
    // Same lines after the operon numbers; the opposite-strand gene stays apart.
    EXPECT_NE(refined.find("    12    -1    -1\n"), std::string::npos);
    EXPECT_EQ(refined.back(), '\n');

    // A gene-tag file that does not match the table: nothing is written.
    const auto shortTags = writeFile("short_genetag.txt", "0    -1    -1    -1\n");
    request.geneTagPath = shortTags;
    request.outputPath.clear();
    const auto failed = refineOperons(request);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find("short_genetag.txt"), std::string::npos);
    EXPECT_EQ(readFile(shortTags), "0    -1    -1    -1\n");
}

TEST(OperonEvidenceInputs, APanelThatGivesNothingLeavesTheRunAndItsPairTable)
{
    const auto table = writeFile("panel.ptt", kTable);
    const auto tags = writeFile("panel_genetag.txt", "0    -1    -1    -1\n0    12    -1    -1\n1    -1    -1    -1\n");
    RefinementRequest request;
    request.geneTables = {table};
    request.geneTagPath = tags;
    request.outputPath = writeFile("panel_refined.txt", "");
    request.tablePath = writeFile("panel_pairs.tsv", "");
    request.panelPath = (std::filesystem::temp_directory_path() / "meridan_no_such_panel").string();
    request.genomePath = writeFile("panel.fna", ">g\nACGT\n");
    const auto outcome = refineOperons(request);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_NE(outcome.panelMessage.find("meridan_no_such_panel"), std::string::npos) << outcome.panelMessage;

    // One line per same-strand pair: its genes, gap, each evidence's share and the probability.
    std::istringstream rows(readFile(request.tablePath));
    std::string header, row, extra;
    ASSERT_TRUE(std::getline(rows, header) && std::getline(rows, row));
    EXPECT_FALSE(std::getline(rows, extra));
    EXPECT_EQ(header.rfind("first\tsecond\tstrand\tgap\tgap_llr\t", 0), 0u) << header;
    EXPECT_NE(header.find("\tprobability\tlinked"), std::string::npos);
    EXPECT_EQ(row.rfind("g1\tg2\t+\t19\t", 0), 0u) << row;
    const double p = std::stod(row.substr(row.rfind('\t', row.rfind('\t') - 1) + 1));
    EXPECT_GE(p, 0.0);
    EXPECT_LE(p, 1.0);
}
