#include "brintel/TextFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

using namespace brintel;

TEST(BrintelTextFields, TokensDropEmptyPiecesFieldsKeepThem)
{
    EXPECT_EQ(splitTokens("  b0001\t\t1.5   x "), (std::vector<std::string>{"b0001", "1.5", "x"}));
    EXPECT_TRUE(splitTokens(" \t ").empty());
    EXPECT_EQ(splitFields("a\t\tb c\t"), (std::vector<std::string>{"a", "", "b c", ""}));
    EXPECT_EQ(splitFields(""), (std::vector<std::string>{""}));
}

TEST(BrintelTextFields, MissingItemReadsAsDash)
{
    const std::vector<std::string> items{"a", "b"};
    EXPECT_EQ(itemOr(items, 1), "b");
    EXPECT_EQ(itemOr(items, 2), "-");
}

TEST(BrintelTextFields, LeadingIntegerTakesSignAndLeadingDigits)
{
    EXPECT_EQ(leadingInt("-1"), -1);
    EXPECT_EQ(leadingInt("17.5"), 17);
    EXPECT_EQ(leadingInt(" 42abc"), 42);
    EXPECT_EQ(leadingInt("+8"), 8);
    EXPECT_EQ(leadingInt("abc"), 0);
    EXPECT_EQ(leadingInt("-"), 0);
    EXPECT_EQ(leadingInt("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(leadingInt("-99999999999999999999"), std::numeric_limits<int>::min());
}

TEST(BrintelTextFields, DecimalValueTreatsNonNumbersAsZero)
{
    EXPECT_EQ(decimalValue("-"), 0.0);
    EXPECT_EQ(decimalValue(""), 0.0);
    EXPECT_EQ(decimalValue("x1"), 0.0);
    EXPECT_EQ(decimalValue("1.5"), 1.5);
    EXPECT_EQ(decimalValue("+3"), 3.0);
    EXPECT_EQ(decimalValue("-2.25"), -2.25);
    EXPECT_EQ(decimalValue("2e-1"), 0.2);
    EXPECT_TRUE(std::isinf(decimalValue("inf")));
    EXPECT_EQ(decimalValue("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(decimalValue("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(decimalValue("1e-400"), 0.0);
}

TEST(BrintelTextFields, ReadLineDropsCarriageReturn)
{
    std::istringstream in("a\tb\r\n\r\nc");
    std::string line;
    ASSERT_TRUE(readLine(in, line));
    EXPECT_EQ(line, "a\tb");
    ASSERT_TRUE(readLine(in, line));
    EXPECT_TRUE(line.empty());
    ASSERT_TRUE(readLine(in, line));
    EXPECT_EQ(line, "c");
    EXPECT_FALSE(readLine(in, line));
}
