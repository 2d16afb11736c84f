#include "meridan/operon/GeneTagFile.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::operon;

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

TEST(GeneTagText, PathAndText)
{
    EXPECT_EQ(geneTagPath("./results/", "NC_000913"), "./results/NC_000913_genetag.txt");
    EXPECT_EQ(geneTagText(separateGeneTags(2)), "0    -1    -1    -1\n1    -1    -1    -1\n");
}
