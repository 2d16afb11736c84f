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

TEST(TerminatorScanRegions, EachRecordOfAJoinedGenomeIsScannedAsAGenomeOfItsOwn)
{
    // The pairs of the test above on record b, which starts at base 2001.
    meridan::genome::RecordTable records;
    records.records = {{"a", 1, 1700}, {"b", 2001, 1000}};
    const std::vector<PairLocation> local{{10, 20, '+'}, {100, 180, '-'}, {200, 700, '-'}};
    std::vector<PairLocation> joined{{300, 400, '+'}};
    for (PairLocation pair : local)
        joined.push_back({pair.upstreamEnd + 2000, pair.downstreamStart + 2000, pair.strand});
    const auto windows = scanWindows(joined, records);
    ASSERT_EQ(windows.size(), 4u);
    expectWindow(windows[0], 290, 99, '+');        // the last + pair of record a: its own gap
    expectWindow(windows[1], 2000, 9, '+');        // the last + pair of the genome: its own gap
    expectWindow(windows[2], 2000 + 10, 179, '-'); // reaches back to record b's start, not into a
    expectWindow(windows[3], 2000 + 700 - 250 + 9, 250, '-');
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
