// The panel database: which files make a genome, an unreadable genome left
// out with its reason, a database reused while its files stay the same and
// built again when one changes, and a search of real proteins (MMseqs2).
#include "meridan/panel/HomologySearch.h"
#include "meridan/panel/PanelDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace meridan::panel;

namespace {

bool haveMmseqs()
{
    std::string error;
    return runProgram({mmseqsProgram(), "version"}, "/dev/null", error);
}

// A random genome of `genes` protein genes of 300 bases, 100 bases apart,
// as FASTA + PTT; the same seed gives the same genome.
void writeGenome(const fs::path& folder, const std::string& name, unsigned seed, int genes)
{
    std::mt19937 random(seed);
    const char* bases = "ACGT";
    std::string dna;
    for (int i = 0; i < genes * 400 + 100; ++i)
        dna += bases[random() % 4];
    std::ofstream ptt(folder / (name + ".ptt"));
    ptt << name << "\n" << genes << " proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";
    for (int g = 0; g < genes; ++g) {
        const int start = 100 + 400 * g;
        dna.replace(std::size_t(start - 1), 3, "ATG");
        for (int k = 3; k < 297; k += 3) // no stop codon inside the gene
            if (dna.substr(std::size_t(start - 1 + k), 3) == "TAA" || dna.substr(std::size_t(start - 1 + k), 3) == "TAG" ||
                dna.substr(std::size_t(start - 1 + k), 3) == "TGA")
                dna.replace(std::size_t(start - 1 + k), 3, "GCA");
        dna.replace(std::size_t(start - 1 + 297), 3, "TAA");
        ptt << start << ".." << start + 299 << "\t+\t99\t-\t-\t" << name << "_" << g << "\t-\t-\tprotein\n";
    }
    std::ofstream(folder / (name + ".fna")) << ">" << name << "\n" << dna << "\n";
}

class PanelDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("meridan-panel-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "genomes");
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

} // namespace

TEST_F(PanelDatabaseTest, FindsTheGenomesOfAFolderAndOfAList)
{
    const fs::path g = folder_ / "genomes";
    writeGenome(g, "alpha", 1, 5);
    writeGenome(g, "beta", 2, 5);
    std::ofstream(g / "notes.txt") << "not a genome\n";
    std::ofstream(g / "lonely.fna") << ">x\nACGT\n"; // a sequence without annotation
    std::string error;
    const auto found = panelSources(g.string(), error);
    ASSERT_EQ(found.size(), 2u) << error;
    EXPECT_EQ(fs::path(found[0][0]).filename(), "alpha.fna");
    EXPECT_EQ(fs::path(found[0][1]).filename(), "alpha.ptt");

    std::ofstream(folder_ / "list.txt") << "# the panel\ngenomes/beta.fna genomes/beta.ptt\n\n";
    const auto listed = panelSources((folder_ / "list.txt").string(), error);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0][0], (folder_ / "genomes" / "beta.fna").string());

    std::ofstream(folder_ / "bad.txt") << "a b c\n";
    EXPECT_TRUE(panelSources((folder_ / "bad.txt").string(), error).empty());
    EXPECT_NE(error.find("bad.txt:1:"), std::string::npos) << error;
    EXPECT_TRUE(panelSources((folder_ / "absent").string(), error).empty());
}

TEST_F(PanelDatabaseTest, BuildsOnceLeavesOutWhatItCannotReadAndFindsHomologues)
{
    if (!haveMmseqs())
        GTEST_SKIP() << "MMseqs2 is not installed";
    const fs::path g = folder_ / "genomes";
    writeGenome(g, "alpha", 1, 6);
    writeGenome(g, "beta", 1, 6); // the same genes: every protein has its homologue
    std::ofstream(g / "broken.gff3") << "##gff-version 3\nchr1\tx\tCDS\tten\t20\t.\t+\t0\tID=a\n";
    std::string error;
    std::vector<std::string> log;
    PanelDatabase db;
    const auto sources = panelSources(g.string(), error);
    ASSERT_TRUE(openOrBuildPanel(sources, (folder_ / "db").string(), db, error,
                                 [&](const std::string& line) { log.push_back(line); }))
        << error;
    ASSERT_EQ(db.genomes.size(), 2u);
    EXPECT_EQ(db.genomes[0].genes.size(), 6u);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log[0].find("broken.gff3"), std::string::npos) << log[0];

    // Unchanged files: the database is reused, not built again.
    log.clear();
    ASSERT_TRUE(openOrBuildPanel(sources, (folder_ / "db").string(), db, error,
                                 [&](const std::string& line) { log.push_back(line); }));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("up to date"), std::string::npos);
    // A changed genome: built again, with what the file now holds.
    writeGenome(g, "beta", 3, 4);
    ASSERT_TRUE(openOrBuildPanel(panelSources(g.string(), error), (folder_ / "db").string(), db, error));
    EXPECT_EQ(db.genomes[1].genes.size(), 4u);

    // The proteins of alpha find themselves in alpha (and in no random genome).
    writeGenome(g, "beta", 1, 6);
    ASSERT_TRUE(openOrBuildPanel(panelSources(g.string(), error), (folder_ / "db").string(), db, error));
    std::vector<std::string> proteins;
    std::ifstream faa(folder_ / "db" / "proteins.faa");
    for (std::string line; std::getline(faa, line) && proteins.size() < 3;)
        if (!line.empty() && line[0] != '>')
            proteins.push_back(line);
    std::vector<std::vector<Homologue>> hits;
    ASSERT_TRUE(searchPanel(db, proteins, hits, error, 1)) << error;
    ASSERT_EQ(hits.size(), 3u);
    for (std::size_t i = 0; i < hits.size(); ++i) {
        bool self = false;
        for (const auto& h : hits[i])
            self = self || (h.genome == 0 && h.gene == int(i));
        EXPECT_TRUE(self) << "protein " << i;
    }
}
