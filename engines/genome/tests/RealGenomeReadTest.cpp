// Reads the real genomes and NCBI protein tables beside the project.
#include "TestData.h"
#include "meridan/genome/FnaReader.h"
#include "meridan/genome/GeneSequence.h"
#include "meridan/genome/PttReader.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace meridan::genome;

TEST(RealGenomeRead, EscherichiaColiGenomeAndTable)
{
    const auto dir = meridan::testdata::genomeDir("NC_000913");
    if (dir.empty())
        GTEST_SKIP() << "NC_000913 data not present";
    const auto genome = readGenomeSequence((dir / "NC_000913.fna").string());
    ASSERT_TRUE(genome);
    EXPECT_EQ(genome.value->length, 4641652);
    EXPECT_EQ(genome.value->sequence.substr(0, 10), "AGCTTTTCAT");
    const auto table = readGeneTable((dir / "NC_000913.ptt").string());
    ASSERT_TRUE(table);
    ASSERT_EQ(table.value->geneCount, 4298);
    const GeneRecord& thrA = table.value->genes[1];
    EXPECT_EQ(thrA.start, 337);
    EXPECT_EQ(thrA.end, 2799);
    EXPECT_EQ(thrA.cog, "E");
    // Every gene lies inside the genome, and a '+' gene starts with a start codon
    // in most cases.
    int withAtg = 0;
    for (const GeneRecord& g : table.value->genes) {
        const std::string s =
            geneSequence(g, genome.value->sequence, genome.value->reverseComplement);
        ASSERT_EQ(s.size(), static_cast<std::size_t>(g.end - g.start + 1)) << g.location;
        withAtg += s.compare(0, 3, "ATG") == 0;
    }
    EXPECT_GT(withAtg, 3500);
}

TEST(RealGenomeRead, NcbiProteinTablesKeepEveryRow)
{
    const auto dir = meridan::testdata::dataDir() / "ptt-samples";
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        GTEST_SKIP() << "ptt-samples not present";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".ptt")
            continue;
        ++files;
        const auto table = readGeneTable(entry.path().string());
        ASSERT_TRUE(table) << entry.path();
        // The second line states the number of rows ("4146 proteins").
        std::ifstream in(entry.path());
        std::string title, countLine;
        std::getline(in, title);
        std::getline(in, countLine);
        EXPECT_EQ(table.value->geneCount, std::stoi(countLine)) << entry.path();
        for (const GeneRecord& g : table.value->genes)
            EXPECT_TRUE(g.strand == '+' || g.strand == '-') << entry.path() << " " << g.location;
    }
    EXPECT_GT(files, 0);
}
