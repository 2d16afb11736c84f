// Thresholds from random windows and the threshold file.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/PromoterModel.h"
#include "meridan/ethrin/Threshold.h"

#include <gtest/gtest.h>

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
        try {
            parseThreshold(in, "x.thr");
        } catch (const InputError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(error("# only a comment\n"), "x.thr: no \"threshold\" line");
    EXPECT_EQ(error("threshold abc\n"), "x.thr:1: \"abc\" is not a number");
    EXPECT_EQ(error("threshold 1\ncomposition 0.5 0.5 0.5 0.5\n"), "x.thr:2: the composition does not add up to 1");
    EXPECT_EQ(error("threshold 1\nthreshold 2\n"), "x.thr:2: \"threshold\" given twice");
    EXPECT_EQ(error("limit 1\n"), "x.thr:1: unknown line \"limit\"");
    EXPECT_EQ(error("threshold 1 2\n"), "x.thr:1: \"threshold\" takes 1 value(s)");
}

TEST(EthrinThresholdFile, ShippedThresholdsLieBelowTheBestScores)
{
    for (const char* sigma : {"sigma24", "sigma32", "sigma38", "sigma70"}) {
        SCOPED_TRACE(sigma);
        const auto dir = ethrin_test::shippedData();
        const ThresholdRecord r = readThresholdFile((dir / "threshold" / (std::string(sigma) + ".thr")).string());
        const PromoterModel m = readModelFile((dir / "WM" / (std::string(sigma) + ".wm")).string());
        ASSERT_TRUE(r.composition.has_value());
        const PromoterScanner scanner(m, *r.composition);
        EXPECT_GT(r.threshold, 0.0);
        EXPECT_LT(r.threshold, scanner.bestPossible());
    }
}
