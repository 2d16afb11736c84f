#include "meridan/operon/RandGenerator.h"
#include "meridan/operon/Galvora.h"

#include <gtest/gtest.h>

#include <cstdlib>

using meridan::operon::parseSeed;
using meridan::operon::RandGenerator;

#ifdef __GLIBC__
// On the C library this engine was written against, the object gives the
// very sequence srand()/rand() give.
TEST(RandGenerator, FollowsTheCLibrarySequence)
{
    for (const unsigned seed : {0u, 1u, 42u, 1733561234u, 4294967295u}) {
        std::srand(seed);
        RandGenerator random(seed);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << " draw " << i;
    }
}
#endif

TEST(RandGenerator, ReseedingRestartsTheSequence)
{
    RandGenerator random(7);
    const int first = random.next();
    const int second = random.next();
    random.reseed(7);
    EXPECT_EQ(random.next(), first);
    EXPECT_EQ(random.next(), second);
    RandGenerator other(8);
    EXPECT_NE(other.next(), first);
    for (int i = 0; i < 10000; ++i) {
        const int v = random.next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RandGenerator::max);
    }
}

TEST(Seed, AcceptsOnlyDecimalIntegers)
{
    EXPECT_EQ(parseSeed("42"), 42u);
    EXPECT_EQ(parseSeed("0"), 0u);
    EXPECT_EQ(parseSeed("+5"), 5u);
    EXPECT_EQ(parseSeed("-1"), 4294967295u);
    EXPECT_EQ(parseSeed("4294967296"), 0u); // taken modulo 2^32
    EXPECT_EQ(parseSeed(nullptr), std::nullopt);
    EXPECT_EQ(parseSeed(""), std::nullopt);
    EXPECT_EQ(parseSeed("-"), std::nullopt);
    EXPECT_EQ(parseSeed("12a"), std::nullopt);
    EXPECT_EQ(parseSeed(" 12"), std::nullopt);
    EXPECT_EQ(parseSeed("0x10"), std::nullopt);
    EXPECT_EQ(parseSeed("99999999999999999999999"), std::nullopt);
}
