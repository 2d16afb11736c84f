#include "Metrics.h"

#include <gtest/gtest.h>

#include <cmath>

using meridan::evaluate::PairCounts;

TEST(EvaluateMetrics, FiguresOfAHandCountedTable)
{
    PairCounts c;
    // 6 same pairs (5 found), 4 boundaries (3 found).
    for (int i = 0; i < 5; ++i)
        c.add(true, true);
    c.add(true, false);
    for (int i = 0; i < 3; ++i)
        c.add(false, false);
    c.add(false, true);
    EXPECT_EQ(c.total(), 10u);
    EXPECT_DOUBLE_EQ(c.sensitivity(), 5.0 / 6.0);
    EXPECT_DOUBLE_EQ(c.specificity(), 3.0 / 4.0);
    EXPECT_DOUBLE_EQ(c.accuracy(), 0.8);
    // (5*3 - 1*1) / sqrt(6 * 6 * 4 * 4) = 14 / 24
    EXPECT_NEAR(c.mcc(), 14.0 / 24.0, 1e-12);
}

TEST(EvaluateMetrics, DegenerateTablesGiveZeroNotNaN)
{
    PairCounts none;
    EXPECT_EQ(none.accuracy(), 0.0);
    EXPECT_EQ(none.mcc(), 0.0);
    PairCounts allSame;
    allSame.add(true, true);
    allSame.add(false, true);
    EXPECT_EQ(allSame.mcc(), 0.0);
    EXPECT_FALSE(std::isnan(allSame.specificity()));
    PairCounts inverted;
    inverted.add(true, false);
    inverted.add(false, true);
    EXPECT_DOUBLE_EQ(inverted.mcc(), -1.0);
}
