// The scan against a literal evaluation of its stem and element tables, and
// the geometry and tie rules on hand-made regions.
#include "TerminatorTestSupport.h"
#include "dovrane/ScoreTable.h"
#include "dovrane/Scanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace meridan::dovrane;
using meridan::terminator::admissiblePair;

namespace {

std::vector<Code> codes(const std::string& text)
{
    std::ostringstream trace;
    return meridan::terminator::encodeRegion(text, trace);
}

// Every admissible pair, tail base and length probability 1 unless changed.
ScanModel uniformModel()
{
    ScanModel model;
    for (Code a = 0; a < 4; ++a) {
        for (Code b = 0; b < 4; ++b)
            model.pairRatio[a][b] = admissiblePair(a, b) ? 1.0 : 0.0;
        model.tailRatio[a] = 1.0;
    }
    model.stemLen.assign(kScanSlots, 1.0);
    model.loopLen.assign(kScanSlots, 1.0);
    model.tailLen.assign(kScanSlots, 1.0);
    return model;
}

struct TableEntry {
    int start = 0, armEnd = 0, armStart = 0, tailStart = 0, tailEnd = 0;
    double value = 0;
};

// The stem table, element table and region maximum, row by row as stated:
// stems by increasing length, closing positions from A - 3 downwards.
ScanHit literalScan(const ScanModel& m, const std::vector<Code>& x)
{
    const int L = static_cast<int>(x.size());
    std::vector<std::vector<TableEntry>> stem(L, std::vector<TableEntry>(L));
    std::vector<std::vector<TableEntry>> element(L, std::vector<TableEntry>(L));
    for (int i = 0; i + 2 < L; ++i) {
        for (int G = i + 5; G < L; ++G) {
            if (!(admissiblePair(x[i], x[G]) && admissiblePair(x[i + 1], x[G - 1])
                  && admissiblePair(x[i + 2], x[G - 2])))
                continue;
            for (int k = 3; k <= (G - i + 1) / 2; ++k) {
                if (!admissiblePair(x[i + k - 1], x[G - k + 1]))
                    break;
                double product = 1;
                for (int p = 0; p < k; ++p)
                    product *= m.pairRatio[x[i + p]][x[G - p]];
                const int loop = G - i + 1 - 2 * k;
                if (loop > 30)
                    continue;
                const double value = product * m.stemLen[k] * m.loopLen[loop];
                if (value > stem[i][G].value)
                    stem[i][G] = {i, i + k, i + k + loop, 0, 0, value};
            }
        }
    }
    for (int i = 0; i < L; ++i) {
        for (int A = i + 3; A < L; ++A) {
            for (int G = A - 3; G > std::max(i, A - 30); --G) {
                double product = 1;
                for (int q = G + 1; q <= A; ++q)
                    product *= m.tailRatio[x[q]];
                const double value = stem[i][G].value * product * m.tailLen[A - G];
                if (value > element[i][A].value)
                    element[i][A] = {stem[i][G].start, stem[i][G].armEnd, stem[i][G].armStart, G + 1, A + 1, value};
            }
        }
    }
    ScanHit hit;
    for (int i = 0; i < L; ++i) {
        for (int A = i; A < L; ++A) {
            const double score = element[i][A].value / (L - (A - i));
            if (score > hit.score) {
                const TableEntry& e = element[i][A];
                hit = {e.start, e.armEnd, e.armStart, e.tailStart, e.tailEnd, score};
            }
        }
    }
    return hit;
}

void expectSameHit(const ScanHit& actual, const ScanHit& expected, const std::string& region)
{
    EXPECT_EQ(actual.start, expected.start) << region;
    EXPECT_EQ(actual.armEnd, expected.armEnd) << region;
    EXPECT_EQ(actual.armStart, expected.armStart) << region;
    EXPECT_EQ(actual.tailStart, expected.tailStart) << region;
    EXPECT_EQ(actual.tailEnd, expected.tailEnd) << region;
    EXPECT_EQ(actual.score, expected.score) << region;
}

// A scanner of the uniform model.
const Scanner& uniformScanner()
{
    static const ScanModel model = uniformModel();
    static const Scanner scanner(model);
    return scanner;
}

// The pairs of the hit's stem and the bases of its loop and tail.
void expectLengths(const ScanHit& hit, int stem, int loop, int tail)
{
    EXPECT_EQ(hit.stemLength(), stem);
    EXPECT_EQ(hit.loopLength(), loop);
    EXPECT_EQ(hit.tailLength(), tail);
}

} // namespace

TEST(TerminatorScanner, MatchesTheLiteralTablesOnRandomRegions)
{
    std::mt19937 random(51);
    std::uniform_real_distribution<double> factor(0.1, 4.0);
    // Coarse values make exact ties common; fine ones make them rare.
    std::uniform_int_distribution<int> coarse(1, 3);
    for (int round = 0; round < 60; ++round) {
        const bool tied = round % 2 == 0;
        const auto draw = [&] { return tied ? coarse(random) * 0.5 : factor(random); };
        ScanModel model = uniformModel();
        for (Code a = 0; a < 4; ++a) {
            for (Code b = 0; b < 4; ++b)
                if (admissiblePair(a, b))
                    model.pairRatio[a][b] = draw();
            model.tailRatio[a] = draw();
        }
        for (std::size_t n = 0; n < kScanSlots; ++n) {
            model.stemLen[n] = draw();
            model.loopLen[n] = draw();
            model.tailLen[n] = draw();
        }
        std::string text = meridan::terminator::testsupport::randomBases(20 + round * 4, random);
        if (round % 3 == 0)
            text.replace(text.size() / 3, 27, "GCCCGCCTAATGAGCGGGCTTTTTTTT");
        const std::vector<Code> x = codes(text);
        expectSameHit(Scanner(model).scan(x), literalScan(model, x), text);
    }
}

TEST(TerminatorScanner, ShortRegionsAndRegionsWithoutCandidatesHaveNoHit)
{
    const Scanner& scanner = uniformScanner();
    // Three G·C pairs, an empty loop and a tail of 3: the shortest element.
    const ScanHit shortest = scanner.scan(codes("GGGCCCTTT"));
    EXPECT_GT(shortest.score, 0.0);
    expectLengths(shortest, 3, 0, 3);
    EXPECT_EQ(scanner.scan(codes("GGGCCCTT")).score, 0.0);
    EXPECT_EQ(scanner.scan(codes(std::string(200, 'A'))).score, 0.0);
    EXPECT_EQ(scanner.scan({}).score, 0.0);
}

TEST(TerminatorScanner, LoopsOver30ContributeNothing)
{
    const Scanner& scanner = uniformScanner();
    const ScanHit loop30 = scanner.scan(codes("CCC" + std::string(30, 'A') + "GGG" + "TTT"));
    EXPECT_EQ(loop30.loopLength(), 30);
    EXPECT_EQ(scanner.scan(codes("CCC" + std::string(31, 'A') + "GGG" + "TTT")).score, 0.0);
}

TEST(TerminatorScanner, StemStopsAtTheFirstInadmissiblePair)
{
    ScanModel model = uniformModel();
    model.pairRatio[1][2] = 2.0; // C·G
    const Scanner scanner(model);
    // The fourth pair A·A is not admissible: three pairs, loop 5.
    const ScanHit three = scanner.scan(codes("CCCAAAAAGGGTTT"));
    EXPECT_EQ(three.start, 0);
    EXPECT_EQ(three.stemLength(), 3);
    EXPECT_EQ(three.loopLength(), 5);
    EXPECT_EQ(three.tailStart, 11);
    EXPECT_EQ(three.tailEnd, 14);
    EXPECT_DOUBLE_EQ(three.score, 8.0);
    // With a fourth C·G the longer, stronger stem wins.
    const ScanHit four = scanner.scan(codes("CCCCAAAAGGGGTTT"));
    EXPECT_EQ(four.stemLength(), 4);
    EXPECT_EQ(four.loopLength(), 4);
    EXPECT_DOUBLE_EQ(four.score, 16.0);
}

TEST(TerminatorScanner, TiesGoToTheShortestStemThenTheShortestTail)
{
    const Scanner& scanner = uniformScanner();
    // Stems of 3 and 4 pairs score alike: the 3-pair stem is kept.
    const ScanHit stem = scanner.scan(codes("CCCCAAAAGGGGTTT"));
    EXPECT_EQ(stem.start, 0);
    expectLengths(stem, 3, 6, 3);
    // Closing at 9 (tail 4) or 10 (tail 3) reaches the same tail end alike:
    // the shorter tail is kept.
    const ScanHit tail = scanner.scan(codes("CCCAAAAGGGGTTT"));
    EXPECT_EQ(tail.start, 0);
    EXPECT_EQ(tail.tailStart, 11);
    EXPECT_EQ(tail.tailLength(), 3);
    EXPECT_EQ(tail.loopLength(), 5);
}

TEST(TerminatorScanner, TiesBetweenStartsGoToTheFirst)
{
    // Only empty loops and 3-base tails count: two equal elements of equal
    // extent, at 0 and at 10, and no stem across them (no T to pair with A).
    ScanModel model = uniformModel();
    model.loopLen.assign(kScanSlots, 0.0);
    model.loopLen[0] = 1.0;
    model.tailLen.assign(kScanSlots, 0.0);
    model.tailLen[3] = 1.0;
    const std::vector<Code> x = codes("GGGCCCAAACGGGCCCAAA");
    const ScanHit hit = Scanner(model).scan(x);
    EXPECT_EQ(hit.start, 0);
    EXPECT_EQ(hit.tailEnd, 9);
    EXPECT_DOUBLE_EQ(hit.score, 1.0 / 11);
    expectSameHit(hit, literalScan(model, x), "two equal elements");
}

TEST(TerminatorScoreTable, FixedWidthRow)
{
    ScanHit hit{3, 10, 16, 23, 31, std::exp(2.5)};
    const std::string region = std::string(3, 'x') + std::string(28, 'A') + "yy";
    EXPECT_EQ(formatScoreRow(hit, region, "b0001"),
              "    3         7         6         8                 2.5\t\t" + std::string(28, 'A') + "\tb0001\n");
    hit.score = 0.5;
    const std::string row = formatScoreRow(hit, region, "SAOUHSC_00001");
    EXPECT_EQ(row.substr(35, 20), "           -0.693147");
    EXPECT_EQ(row.substr(55, 2), "\t\t");
}
