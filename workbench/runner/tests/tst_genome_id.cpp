#include "GenomeId.h"

#include <gtest/gtest.h>

using meridan::genomeFileNameProblem;
using meridan::genomeIdFromPath;

TEST(GenomeId, IsTheNineCharactersBeforeTheExtension)
{
    EXPECT_EQ(genomeIdFromPath("/data/genomes/NC_000913.ptt"), "NC_000913");
    EXPECT_EQ(genomeIdFromPath("SIM000001.fna"), "SIM000001");
}

TEST(GenomeId, FileNamesTheEnginesCannotUseAreExplained)
{
    EXPECT_TRUE(genomeFileNameProblem("/x/NC_000913.fna").isEmpty());
    EXPECT_TRUE(genomeFileNameProblem("/x/my_NC_000913.fna").isEmpty());
    for (const char* bad : {"/x/genome.fna", "/x/NC_000913.fasta", "/x/NC_000913.3.fna",
                            "/x/NC_000913fna", "/long/folder/name/a.fna"}) {
        const QString problem = genomeFileNameProblem(bad);
        EXPECT_FALSE(problem.isEmpty()) << bad;
        EXPECT_TRUE(problem.contains("NC_000913.fna")) << problem.toStdString();
    }
}
