#include "GenomeId.h"

#include <gtest/gtest.h>

using meridan::genomeFileNameProblem;
using meridan::genomeIdFromPath;

TEST(GenomeId, IsTheFileNameWithoutItsExtension)
{
    EXPECT_EQ(genomeIdFromPath("/data/genomes/NC_000913.ptt"), "NC_000913");
    EXPECT_EQ(genomeIdFromPath("SIM000001.fna"), "SIM000001");
    EXPECT_EQ(genomeIdFromPath("/x/NZ_AP025271.1.fna"), "NZ_AP025271.1");
    EXPECT_EQ(genomeIdFromPath("/x/NZ_CP0058161.fna"), "NZ_CP0058161"); // no longer cut to 9 characters
    EXPECT_EQ(genomeIdFromPath("pPCP1.rnt"), "pPCP1");
    EXPECT_EQ(genomeIdFromPath("/x/genome.fna.gz"), "genome");
}

TEST(GenomeId, NamesThatCouldLeaveTheResultFolderAreRefused)
{
    EXPECT_TRUE(genomeFileNameProblem("/x/NC_000913.fna").isEmpty());
    EXPECT_TRUE(genomeFileNameProblem("/x/my_NC_000913.fna").isEmpty());
    for (const char* bad : {"/x/...fna", "/x/.fna", "/x/-rf.fna", "/x/a b.fna", "/x/\xc3\xa9.fna", "/x/a;b.ptt"}) {
        EXPECT_TRUE(genomeIdFromPath(bad).isEmpty()) << bad;
        EXPECT_TRUE(genomeFileNameProblem(bad).contains("NC_000913")) << bad;
    }
}
