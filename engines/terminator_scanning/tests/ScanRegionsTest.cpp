#include "TerminatorTestSupport.h"
#include "dovrane/ScanRegions.h"

#include <gtest/gtest.h>

using namespace meridan::dovrane;
using meridan::terminator::testsupport::randomBases;
using meridan::testtext::reverseComplement;

namespace {

void expectWindow(const ScanWindow& window, long long start, long long length, char strand)
{
    EXPECT_EQ(window.start, start);
    EXPECT_EQ(window.length, length);
    EXPECT_EQ(window.strand, strand);
}

} // namespace

TEST(TerminatorScanRegions, LengthsFollowTheNeighbouringPairs)
{
    const std::vector<ScanWindow> windows = scanWindows({{100, 200, '-'},
                                                         {300, 400, '+'},
                                                         {500, 650, '+'},
                                                         {700, 1000, '-'},
                                                         {1100, 1150, '-'}});
    ASSERT_EQ(windows.size(), 5u);
    expectWindow(windows[0], 110, 99, '-');   // first pair of the file: its own gap
    expectWindow(windows[1], 290, 199, '+');  // up to the next + pair's upstream end
    expectWindow(windows[2], 490, 149, '+');  // last + pair before only - pairs: its own gap
    expectWindow(windows[3], 759, 250, '-');  // from the previous - pair, capped at 250
    expectWindow(windows[4], 1010, 149, '-'); // from the previous - pair
}

TEST(TerminatorScanRegions, EdgeRulesAndTheCap)
{
    // A - pair that is not the first of the file and has no earlier - pair
    // reaches back to the genome start (b' = 0).
    const auto minus = scanWindows({{10, 20, '+'}, {100, 180, '-'}, {200, 700, '-'}});
    expectWindow(minus[1], 10, 179, '-');
    expectWindow(minus[2], 700 - 250 + 9, 250, '-');
    // The last pair of the file uses its own gap; overlapping genes give an
    // empty region.
    const auto last = scanWindows({{300, 290, '+'}});
    expectWindow(last[0], 290, 0, '+');
    const auto wide = scanWindows({{100, 5000, '+'}, {6000, 9000, '+'}});
    expectWindow(wide[0], 90, 250, '+');
    expectWindow(wide[1], 5990, 250, '+');
    for (const auto& pairs : {minus, last, wide})
        for (const ScanWindow& window : pairs)
            EXPECT_LE(window.length, kMaxScanLength);
}

TEST(TerminatorScanRegions, RegionsReadInTranscriptionDirectionAndStayInsideTheGenome)
{
    std::mt19937 random(41);
    const std::string genome = randomBases(2000, random);
    EXPECT_EQ(cutScanRegion(genome, {290, 199, '+'}), genome.substr(290, 199));
    EXPECT_EQ(cutScanRegion(genome, {759, 250, '-'}), reverseComplement(genome.substr(759, 250)));
    EXPECT_EQ(cutScanRegion(genome, {-5, 100, '+'}), genome.substr(0, 95));
    EXPECT_EQ(cutScanRegion(genome, {1900, 250, '-'}), reverseComplement(genome.substr(1900)));
    EXPECT_EQ(cutScanRegion(genome, {2500, 250, '+'}), "");
    EXPECT_EQ(cutScanRegion("", {0, 250, '+'}), "");
}
