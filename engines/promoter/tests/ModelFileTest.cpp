// Reading and writing weight-matrix files.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/EthrinRun.h"
#include "meridan/ethrin/InputError.h"
#include "meridan/ethrin/PromoterModel.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::ethrin;

namespace {

PromoterModel parse(const std::string& text)
{
    std::istringstream in(text);
    return parseModel(in, "m.wm");
}

// The message of the InputError the text raises, or "no error" when it parses.
std::string errorOf(const std::string& text)
{
    return meridan::testtext::thrownMessage<InputError>([&] { parse(text); });
}

const char* kTwoBoxes = "# a comment line\n"
                        "sigma sigma70\n"
                        "pseudocount 0.5   # trailing comment\n"
                        "spacer 15 17\n"
                        "spacercounts 1 8 2\n"
                        "tss 6\n"
                        "box -35 TTG\n"
                        "  0 0 0 10\n"
                        "\n"
                        "  1 0 0 9\n"
                        "  0 1 9 0\n"
                        "box -10 TA\n"
                        "  0 0 0 10\n"
                        "  10 0 0 0\n";

} // namespace

TEST(EthrinModelFile, ReadsTwoBoxModelWithCommentsAndBlankLines)
{
    const PromoterModel m = parse(kTwoBoxes);
    EXPECT_EQ(m.sigma, "sigma70");
    EXPECT_DOUBLE_EQ(m.pseudocount, 0.5);
    ASSERT_TRUE(m.twoBoxes());
    EXPECT_EQ(m.boxes[0].name, "-35");
    EXPECT_EQ(m.boxes[0].consensus, "TTG");
    ASSERT_EQ(m.boxes[0].width(), 3);
    EXPECT_DOUBLE_EQ(m.boxes[0].counts[1][0], 1.0);
    EXPECT_DOUBLE_EQ(m.boxes[0].counts[2][2], 9.0);
    EXPECT_EQ(m.boxes[1].width(), 2);
    EXPECT_EQ(m.spacerMin, 15);
    EXPECT_EQ(m.spacerMax, 17);
    EXPECT_EQ(m.spacerCounts, (std::vector<double>{1, 8, 2}));
    EXPECT_EQ(m.tssOffset, 6);
    EXPECT_FALSE(m.hasTssWindow);
}

TEST(EthrinModelFile, SingleBoxModelHasNoSpacerAndDefaultTss)
{
    const PromoterModel m = parse("box -10 CTA\n1 8 1 0\n0 0 0 10\n10 0 0 0\n");
    EXPECT_FALSE(m.twoBoxes());
    EXPECT_EQ(m.boxes[0].width(), 3);
    EXPECT_EQ(m.tssOffset, 7);
    EXPECT_DOUBLE_EQ(m.pseudocount, 1.0);
}

TEST(EthrinModelFile, ErrorsNameFileAndLine)
{
    EXPECT_EQ(errorOf("box -10 TA\n0 0 0 10\nfoo 1\n"), "m.wm:3: unknown line \"foo\" (expected a keyword or four counts A C G T)");
    EXPECT_EQ(errorOf("box -10 TA\n0 0 0 10\n0 -1 0 10\n"), "m.wm:3: a count must not be negative");
    EXPECT_EQ(errorOf("box -10 TA\n0 0 x 10\n1 1 1 1\n"), "m.wm:2: \"x\" is not a number");
    EXPECT_EQ(errorOf("box -10 TAT\n0 0 0 10\n1 1 1 1\ntss 7\n"),
              "m.wm:1: box -10 has 2 rows but its consensus TAT has 3 letters");
    EXPECT_EQ(errorOf("box -10 T\n0 0 0 10\n1 1 1 1\n"), "m.wm:3: box -10 has more rows than its consensus T has letters");
    EXPECT_EQ(errorOf("1 1 1 1\n"), "m.wm:1: a count row outside a box");
    EXPECT_EQ(errorOf("tss 5\ntss 6\nbox -10 T\n1 1 1 1\n"), "m.wm:2: \"tss\" given twice");
    EXPECT_EQ(errorOf("spacer 17 15\n"), "m.wm:1: the shortest spacer is longer than the longest");
    EXPECT_EQ(errorOf("pseudocount 0\n"), "m.wm:1: the pseudocount must be greater than 0");
    EXPECT_EQ(errorOf("tss 7.5\n"), "m.wm:1: \"7.5\" is not a whole number");
    EXPECT_EQ(errorOf("box a T\n1 1 1 1\nbox b T\n1 1 1 1\nbox c T\n1 1 1 1\n"), "m.wm:5: more than two boxes");
}

TEST(EthrinModelFile, WholeModelChecksNameTheFile)
{
    EXPECT_EQ(errorOf("# nothing\n"), "m.wm: no box defined");
    EXPECT_EQ(errorOf("box a T\n1 1 1 1\nbox b T\n1 1 1 1\n"), "m.wm: a model of two boxes needs a \"spacer\" line");
    EXPECT_EQ(errorOf("spacer 3 4\nbox a T\n1 1 1 1\n"), "m.wm: a single-box model takes no spacer");
    EXPECT_EQ(errorOf("spacer 3 5\nspacercounts 1 2\nbox a T\n1 1 1 1\nbox b T\n1 1 1 1\n"),
              "m.wm: \"spacercounts\" needs one count per spacer length from 3 to 5");
}

TEST(EthrinModelFile, ContextLinesReadWriteAndLookUp)
{
    const PromoterModel m = parse("position -100 50 -1 2 0.5\nintergenic 0.7 -1.5\ngapedges 0 50\n"
                                  "gapodds -1 0 1\nupelement 20 0.6\nbox -10 T\n1 1 1 1\n");
    EXPECT_EQ(m.positionScore(-500), -1.0); // before the first bin: the first bin
    EXPECT_EQ(m.positionScore(-100), -1.0);
    EXPECT_EQ(m.positionScore(-51), -1.0);
    EXPECT_EQ(m.positionScore(-50), 2.0);
    EXPECT_EQ(m.positionScore(0), 0.5);
    EXPECT_EQ(m.positionScore(400), 0.5);
    EXPECT_EQ(m.gapScore(0), -1.0);
    EXPECT_EQ(m.gapScore(50), 0.0);
    EXPECT_EQ(m.gapScore(51), 1.0);
    std::ostringstream out;
    writeModel(out, m, {});
    const PromoterModel back = parse(out.str());
    EXPECT_EQ(back.positionOdds, m.positionOdds);
    EXPECT_EQ(back.positionFirst, -100);
    EXPECT_EQ(back.gapEdges, m.gapEdges);
    EXPECT_EQ(back.gapOdds, m.gapOdds);
    EXPECT_EQ(back.genicOdds, -1.5);
    EXPECT_EQ(back.upElementWidth, 20);
    EXPECT_EQ(errorOf("gapedges 50 0\n"), "m.wm:1: the gap edges must be in increasing order");
    EXPECT_EQ(errorOf("gapedges 0 50\ngapodds 1 2\nbox a T\n1 1 1 1\n"),
              "m.wm: \"gapodds\" needs one value more than \"gapedges\" has edges");
    EXPECT_EQ(errorOf("position -100 0 1\n"), "m.wm:1: 0 is outside 1..100000");
}

TEST(EthrinModelFile, WrittenModelReadsBackTheSame)
{
    PromoterModel m = parse(kTwoBoxes);
    m.hasTssWindow = true;
    m.tssWindowMin = 4;
    m.tssWindowMax = 9;
    std::ostringstream out;
    writeModel(out, m, {"first comment", "second"});
    EXPECT_EQ(out.str().rfind("# first comment\n# second\n", 0), 0u);
    const PromoterModel back = parse(out.str());
    EXPECT_EQ(back.sigma, m.sigma);
    EXPECT_EQ(back.pseudocount, m.pseudocount);
    EXPECT_EQ(back.spacerCounts, m.spacerCounts);
    EXPECT_EQ(back.tssOffset, m.tssOffset);
    EXPECT_TRUE(back.hasTssWindow);
    EXPECT_EQ(back.tssWindowMin, 4);
    EXPECT_EQ(back.tssWindowMax, 9);
    ASSERT_EQ(back.boxes.size(), 2u);
    for (int b = 0; b < 2; ++b) {
        EXPECT_EQ(back.boxes[b].name, m.boxes[b].name);
        EXPECT_EQ(back.boxes[b].consensus, m.boxes[b].consensus);
        EXPECT_EQ(back.boxes[b].counts, m.boxes[b].counts);
    }
}

TEST(EthrinModelFile, ShippedModelsHaveTheirBoxesAndSpacers)
{
    struct Expect {
        const char* sigma;
        int w1, w2, spMin, spMax;
    };
    const Expect expected[] = {
        {"sigma24", 7, 5, 15, 17}, {"sigma32", 13, 8, 13, 15}, {"sigma38", 10, 0, 0, 0}, {"sigma70", 6, 9, 12, 16}};
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.sigma);
        const PromoterModel m = readModelFile((ethrin_test::shippedData() / "WM" / (std::string(e.sigma) + ".wm")).string());
        EXPECT_EQ(m.sigma, e.sigma);
        EXPECT_EQ(m.boxes[0].width(), e.w1);
        EXPECT_EQ(m.twoBoxes(), e.w2 > 0);
        if (m.twoBoxes()) {
            EXPECT_EQ(m.boxes[1].width(), e.w2);
            EXPECT_EQ(m.spacerMin, e.spMin);
            EXPECT_EQ(m.spacerMax, e.spMax);
            EXPECT_EQ(static_cast<int>(m.spacerCounts.size()), e.spMax - e.spMin + 1);
        }
    }
}

TEST(EthrinModelFile, MissingFileSaysSo)
{
    EXPECT_EQ(meridan::testtext::thrownMessage<InputError>([&] { readModelFile("/nonexistent/sigma70.wm"); }),
              "Can't open file /nonexistent/sigma70.wm !");
}
