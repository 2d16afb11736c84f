#include "meridan/operon/GeneTagFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::operon;
using namespace meridan::operon::testing;

TEST(GeneTagText, FourNumbersSeparatedByFourBlanks)
{
    GeneTags tags;
    tags.operonNumber = {0, 1, 1234567};
    tags.sdPosition = {-1, 17, 0.5};
    tags.taPosition = {-1, 85, -1};
    tags.terminatorPosition = {-1, -1, 3};
    std::ostringstream out;
    writeGeneTags(out, tags);
    EXPECT_EQ(out.str(), "0    -1    -1    -1\n"
                         "1    17    85    -1\n"
                         "1.23457e+06    0.5    -1    3\n");
}

TEST(GeneTagText, GenomeIdAndPath)
{
    EXPECT_EQ(genomeIdFromPath("/data/NC_000913.fna"), "NC_000913");
    EXPECT_EQ(genomeIdFromPath("NC_005816.fna"), "NC_005816");
    EXPECT_EQ(genomeIdFromPath("x/NZ_AP025271.1.fna"), "NZ_AP025271.1");
    EXPECT_EQ(genomeIdFromPath("x/.fna"), std::nullopt);
    EXPECT_EQ(genomeIdFromPath(""), std::nullopt);
    EXPECT_EQ(geneTagPath("./results/", "NC_000913"), "./results/NC_000913_genetag.txt");
}

TEST(GeneTagFileWriting, AppearsOnlyWhenCommitted)
{
    TempDir dir;
    const auto path = dir.path() / "NC_000001_genetag.txt";
    {
        GeneTagFile file(path.string());
        ASSERT_TRUE(file.open());
        EXPECT_FALSE(std::filesystem::exists(path));
        // destroyed without commit: nothing is left behind
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    dir.write("NC_000001_genetag.txt", "old contents\n");
    {
        GeneTagFile file(path.string());
        ASSERT_TRUE(file.open());
        EXPECT_EQ(readText(path), "old contents\n");
        ASSERT_TRUE(file.commit(separateGeneTags(2)));
    }
    EXPECT_EQ(readText(path), "0    -1    -1    -1\n1    -1    -1    -1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(GeneTagFileWriting, UnwritableFolderFailsToOpen)
{
    GeneTagFile file("/nonexistent-folder/NC_000001_genetag.txt");
    EXPECT_FALSE(file.open());
    EXPECT_FALSE(file.commit(separateGeneTags(1)));
}
