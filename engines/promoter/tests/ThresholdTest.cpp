// Thresholds from random windows and the threshold file.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/PromoterModel.h"
#include "meridan/ethrin/Threshold.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

using namespace meridan::ethrin;

namespace {

PromoterModel sigma70()
{
    return readModelFile((ethrin_test::shippedData() / "WM" / "sigma70.wm").string());
}

// Share of the windows of a sequence that score above the threshold.
double passingShare(const PromoterScanner& scanner, const std::vector<std::uint8_t>& seq, double threshold)
{
    std::vector<WindowScore> w;
    scanner.windowScores(seq, w);
    long passing = 0;
    for (const WindowScore& s : w)
        passing += s.score > threshold;
    return static_cast<double>(passing) / static_cast<double>(w.size());
}

} // namespace

TEST(EthrinThreshold, ChosenShareOfRandomWindowsPassesOnAFreshRandomSequence)
{
    Composition gc;
    gc.p = {0.2, 0.3, 0.3, 0.2};
    const PromoterScanner scanner(sigma70(), gc);
    const double t = computeThreshold(scanner, gc, 0.01, 200000, 1);
    EXPECT_LT(t, scanner.bestPossible());
    // Windows of an independent random sequence of the same composition:
    // about 1 in 100 pass (400000 windows: standard deviation 0.00016).
    std::mt19937_64 other(4242);
    const double share = passingShare(scanner, randomSequence(gc, 400000, other), t);
    EXPECT_NEAR(share, 0.01, 0.001);
}

TEST(EthrinThreshold, SameSeedSameThresholdAndRarerShareHigherThreshold)
{
    const PromoterScanner scanner(sigma70(), Composition{});
    const double a = computeThreshold(scanner, Composition{}, 0.01, 50000, 7);
    EXPECT_EQ(a, computeThreshold(scanner, Composition{}, 0.01, 50000, 7));
    EXPECT_NE(a, computeThreshold(scanner, Composition{}, 0.01, 50000, 8));
    EXPECT_GT(computeThreshold(scanner, Composition{}, 0.001, 50000, 7), a);
}

TEST(EthrinThreshold, RandomSequenceFollowsTheComposition)
{
    Composition c;
    c.p = {0.4, 0.1, 0.1, 0.4};
    std::mt19937_64 random(3);
    const auto seq = randomSequence(c, 100000, random);
    std::array<long, 4> n{};
    for (auto b : seq)
        ++n[b];
    EXPECT_NEAR(n[0] / 100000.0, 0.4, 0.01);
    EXPECT_NEAR(n[1] / 100000.0, 0.1, 0.01);
    EXPECT_NEAR(n[3] / 100000.0, 0.4, 0.01);
}

TEST(EthrinThreshold, RefusesSharesThatCannotBeMeasured)
{
    const PromoterScanner scanner(sigma70(), Composition{});
    EXPECT_THROW(computeThreshold(scanner, Composition{}, 0.0, 1000, 1), InputError);
    EXPECT_THROW(computeThreshold(scanner, Composition{}, 1.0, 1000, 1), InputError);
    EXPECT_THROW(computeThreshold(scanner, Composition{}, 0.0001, 1000, 1), InputError);
}

TEST(EthrinThreshold, FalseDiscoveryThresholdCountsShuffledPassesPerGene)
{
    // Top 1..5 genes: 0, 0, 1, 1, 3 shuffled scores at least as high (one
    // shuffle each), so chance passes 0, 0, 1/3, 1/4, 3/5: at 0.34 the four
    // best pass and the threshold lies between 1 and 0.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_DOUBLE_EQ(fdrThreshold({0, 9, 1, 10, 8, -inf}, {8.5, 0.5, 0.2, -3}, 1, 0.34), 0.5);
    // Two shuffles halve the count: 3 above 0 is 1.5 expected, 0.3 of 5.
    EXPECT_DOUBLE_EQ(fdrThreshold({0, 9, 1, 10, 8}, {8.5, 0.5, 0.2, -3}, 2, 0.34), -1.0);
    // Nothing beats chance: the best score itself, so no gene is above it.
    EXPECT_DOUBLE_EQ(fdrThreshold({1, 2, 3}, {5, 5, 5}, 1, 0.1), 3.0);
}

TEST(EthrinThresholdFile, WrittenRecordReadsBack)
{
    ThresholdRecord r;
    r.threshold = 9.254259284;
    Composition c;
    c.p = {0.246, 0.254, 0.254, 0.246};
    r.composition = c;
    r.sigma = "sigma70";
    r.genome = "NC_000913";
    r.share = 0.001;
    r.windows = 2000000;
    r.seed = 1;
    std::ostringstream out;
    writeThreshold(out, r);
    std::istringstream in(out.str());
    const ThresholdRecord back = parseThreshold(in, "x.thr");
    EXPECT_DOUBLE_EQ(back.threshold, r.threshold);
    ASSERT_TRUE(back.composition.has_value());
    EXPECT_DOUBLE_EQ(back.composition->p[1], 0.254);
    EXPECT_EQ(back.sigma, "sigma70");
    EXPECT_EQ(back.genome, "NC_000913");
    EXPECT_EQ(back.windows, 2000000);
}

TEST(EthrinThresholdFile, BadFilesNameFileAndLine)
{
    const auto error = [](const std::string& text) {
        std::istringstream in(text);
        return meridan::testtext::thrownMessage<InputError>([&] { parseThreshold(in, "x.thr"); });
    };
    EXPECT_EQ(error("# only a comment\n"), "x.thr: neither a \"threshold\" nor an \"fdr\" line");
    EXPECT_EQ(error("threshold abc\n"), "x.thr:1: \"abc\" is not a number");
    EXPECT_EQ(error("threshold 1\ncomposition 0.5 0.5 0.5 0.5\n"), "x.thr:2: the composition does not add up to 1");
    EXPECT_EQ(error("threshold 1\nthreshold 2\n"), "x.thr:2: \"threshold\" given twice");
    EXPECT_EQ(error("limit 1\n"), "x.thr:1: unknown line \"limit\"");
    EXPECT_EQ(error("threshold 1 2\n"), "x.thr:1: \"threshold\" takes 1 value(s)");
}

TEST(EthrinThresholdFile, ShippedThresholdsAreCalibratedOnEachGenome)
{
    for (const char* sigma : {"sigma24", "sigma32", "sigma38", "sigma70"}) {
        SCOPED_TRACE(sigma);
        const auto dir = ethrin_test::shippedData();
        const ThresholdRecord r = readThresholdFile((dir / "threshold" / (std::string(sigma) + ".thr")).string());
        EXPECT_TRUE(r.calibrated());
        EXPECT_LE(r.fdr, 0.5);
        EXPECT_GE(r.shuffles, 1);
        std::ostringstream again;
        writeThreshold(again, r);
        std::istringstream in(again.str());
        const ThresholdRecord back = parseThreshold(in, "again.thr");
        EXPECT_EQ(back.fdr, r.fdr);
        EXPECT_EQ(back.shuffles, r.shuffles);
    }
}
