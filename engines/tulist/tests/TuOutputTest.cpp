#include "brintel/TuOutput.h"

#include "TuTestRows.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace brintel;
using namespace brintel::test;

TEST(BrintelTuOutput, SummarySumsBothPasses)
{
    std::ostringstream out;
    writeSummary(out, PassCounters{1, 2, 3, 4}, PassCounters{10, 20, 30, 40});
    EXPECT_EQ(out.str(), "11 internal promoters,\n"
                         "22 internal terminators,\n"
                         "33 TUs including 44 alternative ones.\n");
}

TEST(BrintelTuOutput, HeadAndTailFollowTheDirectionOfTranscription)
{
    GeneIndexTable table;
    for (int g = 0; g < 3; ++g)
        table[g] = indexRow(g, 0, "+");
    for (int g = 3; g < 6; ++g)
        table[g] = indexRow(g, 1, "-");
    const TuMap tus{{"0000.0", {0, 1, 2}}, {"0001.0", {3, 4, 5}}};
    std::ostringstream out, log;
    writeTuList(out, "NC_000001", tus, table, log);
    EXPECT_EQ(out.str(),
              "NC_000001\t0000.0\t+\ts0|p0|0,s1|p1|1,s2|p2|2\tbox35_0\tbox10_0\tterm_2\n"
              "NC_000001\t0001.0\t-\ts3|p3|3,s4|p4|4,s5|p5|5\tbox35_5\tbox10_5\tterm_3\n");
    EXPECT_EQ(log.str(), "");
}

TEST(BrintelTuOutput, MergedMembersKeepTheirStoredOrder)
{
    GeneIndexTable table;
    table[1] = indexRow(1, -1, "+");
    table[3] = indexRow(3, -1, "+");
    table[4] = indexRow(4, -1, "-");
    table[5] = indexRow(5, -1, "-");
    TuMap tus{{"00-1.0", {4, 5}}};
    mergeTuMaps(tus, TuMap{{"00-1.0", {1, 3}}});
    std::ostringstream out, log;
    writeTuList(out, "NC_000001", tus, table, log);
    // The first stored gene (4) decides the strand; the head is the last stored one.
    EXPECT_EQ(out.str(), "NC_000001\t00-1.0\t-\ts4|p4|4,s5|p5|5,s1|p1|1,s3|p3|3\tbox35_3\tbox10_3\tterm_4\n");
}

TEST(BrintelTuOutput, GenesWithoutRowsAreReportedAndLeftOut)
{
    GeneIndexTable table;
    table[0] = indexRow(0, 0, "+");
    table[2] = indexRow(2, 0, "+");
    table[5] = indexRow(5, 2, "+");
    const TuMap tus{{"0000.0", {0, 1, 2}},  // middle member missing: left out
                    {"0000.1", {1, 2}},     // first gene missing: no line
                    {"0002.0", {5, 6}},     // tail missing: no line
                    {"0003.0", {}}};        // nothing to write
    std::ostringstream out, log;
    writeTuList(out, "NC_000001", tus, table, log);
    EXPECT_EQ(out.str(), "NC_000001\t0000.0\t+\ts0|p0|0,s2|p2|2\tbox35_0\tbox10_0\tterm_2\n");
    EXPECT_EQ(log.str(), "cannot find gene corresponds to index 1\n"
                         "cannot find gene corresponds to index 1\n"
                         "cannot find gene corresponds to index 6\n");
}
