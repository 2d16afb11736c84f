// Scanning gene regions of a genome and the score table written from it.
#include "EthrinTestSupport.h"

#include "meridan/ethrin/GeneScan.h"
#include "meridan/ethrin/PromoterModel.h"
#include "meridan/ethrin/Threshold.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::ethrin;
using namespace ethrin_test;

namespace {

PromoterModel modelFrom(const std::string& text)
{
    std::istringstream in(text);
    return parseModel(in, "test.wm");
}

// Consensus models of fixed shape, so that the tests follow the scanning
// and not the shipped matrices.
PromoterModel consensusModel()
{
    return modelFrom("pseudocount 2\nspacer 15 19\nspacercounts 1 10 50 10 1\ntss 7\n"
                     "box -35 TTGACA\n1 1 1 7\n1 1 1 7\n1 1 7 1\n7 1 1 1\n1 7 1 1\n7 1 1 1\n"
                     "box -10 TATAAT\n1 1 1 7\n7 1 1 1\n1 1 1 7\n7 1 1 1\n7 1 1 1\n1 1 1 7\n");
}

PromoterModel singleBoxModel()
{
    return modelFrom("pseudocount 2\ntss 7\nbox -10 CTATACT\n1 7 1 1\n1 1 1 7\n7 1 1 1\n1 1 1 7\n"
                     "7 1 1 1\n1 7 1 1\n1 1 1 7\n");
}

PromoterModel shippedModel(const std::string& sigma)
{
    return sigma == "sigma38" ? singleBoxModel() : consensusModel();
}

// The highest-scoring sequence of a box: the most counted base per position.
std::string bestSequence(const BoxCounts& box)
{
    std::string s;
    for (const auto& row : box.counts) {
        int best = 0;
        for (int b = 1; b < 4; ++b)
            if (row[b] > row[best])
                best = b;
        s += baseLetter(static_cast<std::uint8_t>(best));
    }
    return s;
}

// The model's best promoter with a spacer of random bases.
std::string bestPromoter(const PromoterModel& m, int spacer)
{
    std::string p = bestSequence(m.boxes[0]);
    if (m.twoBoxes())
        p += randomBases(spacer, 99) + bestSequence(m.boxes[1]);
    return p;
}

constexpr double kThreshold = 5.0;

struct Scan {
    PromoterModel model;
    std::string genome;
    std::vector<GeneRow> genes;
    std::vector<PromoterHit> hits;
    double best = 0.0;

    void run(int keep = 1)
    {
        const auto g = codes(genome);
        const Composition bg = strandSymmetricComposition(g);
        const PromoterScanner scanner(model, bg);
        best = scanner.bestPossible();
        hits = scanGenes(g, genes, scanner, model.tssOffset, kThreshold,
                         normalizedSettings(250, 100, keep, static_cast<long>(genome.size())));
    }
};

} // namespace

TEST(EthrinGeneScan, ConsensusPromoterOnPlusStrand)
{
    Scan s{shippedModel("sigma70"), randomBases(20000, 7), {{"g1", '+', 5001, 5001}}, {}, 0.0};
    const int spacer = 17; // the most common length
    const std::string p = bestPromoter(s.model, spacer);
    plant(s.genome, 5001 - 60, p);
    s.run();
    ASSERT_EQ(s.hits.size(), 1u);
    const PromoterHit& h = s.hits[0];
    EXPECT_EQ(h.start, -60);
    EXPECT_EQ(h.firstBoxPosition, 4941);
    EXPECT_EQ(h.firstBox, bestSequence(s.model.boxes[0]));
    EXPECT_EQ(h.firstBox, "TTGACA");
    EXPECT_EQ(h.secondBoxPosition, 4941 + 6 + spacer);
    EXPECT_EQ(h.secondBox, "TATAAT");
    EXPECT_EQ(h.spacer, spacer);
    EXPECT_EQ(h.tss, 4941 + 6 + spacer + 5 + s.model.tssOffset);
    EXPECT_NEAR(h.score, s.best - kThreshold, 1e-9);
}

TEST(EthrinGeneScan, ConsensusPromoterOnMinusStrandIsReportedInTheGenesDirection)
{
    // Gene 12001..12900 on "-": its start codon begins at 12900.
    Scan s{shippedModel("sigma70"), randomBases(20000, 8), {{"g2", '-', 12001, 12900}}, {}, 0.0};
    const std::string p = bestPromoter(s.model, 17);
    // The promoter's first base lies 60 bases before the start codon in the
    // gene's direction: forward position 12960, the promoter running down.
    plant(s.genome, 12960 - static_cast<long>(p.size()) + 1, reverseComplement(p));
    s.run();
    ASSERT_EQ(s.hits.size(), 1u);
    const PromoterHit& h = s.hits[0];
    EXPECT_EQ(h.start, -60);
    EXPECT_EQ(h.firstBoxPosition, 12960);
    EXPECT_EQ(h.firstBox, "TTGACA");
    EXPECT_EQ(h.secondBoxPosition, 12960 - 23);
    EXPECT_EQ(h.secondBox, "TATAAT");
    EXPECT_EQ(h.spacer, 17);
    EXPECT_EQ(h.tss, 12960 - 23 - 5 - s.model.tssOffset);
    EXPECT_NEAR(h.score, s.best - kThreshold, 1e-9);
}

TEST(EthrinGeneScan, RegionBeforeAGeneNearTheOriginWrapsAround)
{
    Scan s{shippedModel("sigma70"), randomBases(20000, 9), {{"g3", '+', 30, 30}}, {}, 0.0};
    plant(s.genome, 19970, bestPromoter(s.model, 17)); // relative -60
    s.run();
    ASSERT_EQ(s.hits.size(), 1u);
    EXPECT_EQ(s.hits[0].start, -60);
    EXPECT_EQ(s.hits[0].firstBoxPosition, 19970);
    EXPECT_EQ(s.hits[0].secondBoxPosition, 19993);
    EXPECT_EQ(s.hits[0].tss, 19998 + s.model.tssOffset - 20000);
}

TEST(EthrinGeneScan, SingleBoxModelReportsOneBoxWithoutSpacer)
{
    Scan s{shippedModel("sigma38"), randomBases(20000, 10), {{"g4", '+', 8001, 8001}}, {}, 0.0};
    const std::string box = bestSequence(s.model.boxes[0]);
    plant(s.genome, 8001 - 40, box);
    s.run();
    ASSERT_EQ(s.hits.size(), 1u);
    const PromoterHit& h = s.hits[0];
    EXPECT_EQ(h.start, -40);
    EXPECT_EQ(h.firstBox, box);
    EXPECT_EQ(h.firstBoxPosition, 7961);
    EXPECT_TRUE(h.secondBox.empty());
    EXPECT_EQ(h.spacer, 0);
    EXPECT_EQ(h.tss, 7961 + static_cast<long>(box.size()) - 1 + s.model.tssOffset);

    std::ostringstream out;
    writeScoreTable(out, false, s.genes, s.hits);
    std::istringstream in(out.str());
    std::string header, row;
    std::getline(in, header);
    std::getline(in, row);
    EXPECT_EQ(header, "synonym\tstrand\ttss\tstart\tscore\tfirstBox_pos\tfirstBox");
    std::ostringstream expected;
    expected << "g4\t+\t" << h.tss << "\t-40\t" << h.score << "\t7961\t" << box;
    EXPECT_EQ(row, expected.str());
}

TEST(EthrinGeneScan, TwoBoxTableHasTenColumns)
{
    const std::vector<GeneRow> genes = {{"b0001", '-', 10, 500}};
    PromoterHit h;
    h.tss = 520;
    h.start = -35;
    h.score = 1.25;
    h.firstBoxPosition = 535;
    h.firstBox = "TTGACA";
    h.secondBoxPosition = 512;
    h.secondBox = "TATAAT";
    h.spacer = 17;
    std::ostringstream out;
    writeScoreTable(out, true, genes, {h});
    EXPECT_EQ(out.str(), "synonym\tstrand\ttss\tstart\tscore\tfirstBox_pos\tfirstBox\tsecondBox_pos\tsecondBox\tspacer\n"
                         "b0001\t-\t520\t-35\t1.25\t535\tTTGACA\t512\tTATAAT\t17\n");
}

TEST(EthrinGeneScan, SeveralHitsPerGeneComeBestFirst)
{
    Scan s{shippedModel("sigma70"), randomBases(20000, 11), {{"g5", '+', 5001, 5001}}, {}, 0.0};
    plant(s.genome, 5001 - 200, bestPromoter(s.model, 17));
    s.run(4);
    ASSERT_EQ(s.hits.size(), 4u);
    EXPECT_EQ(s.hits[0].start, -200);
    for (std::size_t k = 1; k < s.hits.size(); ++k) {
        EXPECT_LE(s.hits[k].score, s.hits[k - 1].score);
        EXPECT_NE(s.hits[k].firstBoxPosition, s.hits[k - 1].firstBoxPosition);
    }
}

TEST(EthrinGeneScan, RegionOfAMinusGeneIsTheReverseComplement)
{
    const std::string genome = randomBases(1000, 12);
    const GeneRow gene{"g", '-', 100, 600};
    RegionSettings settings;
    settings.upstream = 20;
    settings.downstream = 10;
    std::vector<std::uint8_t> region;
    geneRegion(codes(genome), gene, settings, region);
    // 20 bases above 600 and 600 down to 591, read on the other strand.
    EXPECT_EQ(region, codes(reverseComplement(genome.substr(590, 30))));
    EXPECT_EQ(regionToGenome(1000, gene, settings, 0), 620);
    EXPECT_EQ(regionToGenome(1000, gene, settings, 20), 600);
}

TEST(EthrinGeneScan, SettingsAreClampedToWhatCanBeScanned)
{
    RegionSettings s = normalizedSettings(-5, 100, 0, 1000000);
    EXPECT_EQ(s.upstream, 0);
    EXPECT_EQ(s.downstream, 100);
    EXPECT_EQ(s.keep, 1);
    s = normalizedSettings(250, 100, 5000, 300);
    EXPECT_EQ(s.upstream, 200);
    EXPECT_EQ(s.downstream, 100);
    EXPECT_EQ(s.keep, 1000);
    s = normalizedSettings(250, 100, 1, 60);
    EXPECT_EQ(s.upstream, 0);
    EXPECT_EQ(s.downstream, 60);
}

TEST(EthrinGeneScan, GeneWithARegionShorterThanTheModelGetsNoHit)
{
    const std::string genome = randomBases(5000, 13);
    const auto g = codes(genome);
    const PromoterModel m = readModelFile((shippedData() / "WM" / "sigma70.wm").string());
    const PromoterScanner scanner(m, strandSymmetricComposition(g));
    const std::vector<GeneRow> genes = {{"g", '+', 1000, 1000}};
    EXPECT_TRUE(scanGenes(g, genes, scanner, 7, 0.0, normalizedSettings(10, 10, 1, 5000)).empty());
    EXPECT_EQ(scanGenes(g, genes, scanner, 7, 0.0, normalizedSettings(20, 10, 1, 5000)).size(), 1u);
}

TEST(EthrinGeneScan, PositionOddsChooseBetweenEqualPromotersOnBothStrands)
{
    // The same promoter 200 and 60 bases before the gene: without context
    // the earlier wins a tie; odds favouring starts near the start codon
    // pick the later one, on either strand.
    for (const char strand : {'+', '-'}) {
        SCOPED_TRACE(strand);
        PromoterModel m = consensusModel();
        const std::string p = bestPromoter(m, 17);
        std::string genome = randomBases(20000, 31);
        GeneRow gene{"g", strand, 5001, 5001, 5900};
        if (strand == '+') {
            plant(genome, 5001 - 200, p);
            plant(genome, 5001 - 60, p);
        } else {
            gene = {"g", '-', 4001, 5000, 5000};
            plant(genome, 5000 + 200 - static_cast<long>(p.size()) + 1, reverseComplement(p));
            plant(genome, 5000 + 60 - static_cast<long>(p.size()) + 1, reverseComplement(p));
        }
        const auto g = codes(genome);
        const RegionSettings settings = normalizedSettings(250, 100, 1, 20000);
        const PromoterScanner plain(m, strandSymmetricComposition(g));
        ScanContext none;
        EXPECT_EQ(scanGenes(g, {gene}, plain, none, settings, nullptr).at(0).start, -200);
        m.positionFirst = -250;
        m.positionBin = 50;
        m.positionOdds = {0, 0, 0, 0, 1, 0, 0}; // starts 50..1 bases before the start codon
        const PromoterScanner placed(m, strandSymmetricComposition(g));
        ScanContext context;
        context.model = &m;
        std::vector<double> best;
        const auto hits = scanGenes(g, {gene}, placed, context, settings, &best);
        ASSERT_EQ(hits.size(), 1u);
        EXPECT_EQ(hits[0].start, -60);
        EXPECT_NEAR(best[0], hits[0].score, 1e-12);
    }
}

TEST(EthrinGeneScan, GenicMaskAndUpstreamGapFollowTheGenes)
{
    // 100-base genome: a "+" gene 11..30, a "-" gene 41..60 and one across
    // the origin 91..5.
    const std::vector<GeneRow> genes = {
        {"a", '+', 11, 11, 30}, {"b", '-', 41, 60, 60}, {"c", '+', 91, 91, 5}};
    const auto mask = genicMask(100, genes);
    EXPECT_EQ(mask[10], 1);
    EXPECT_EQ(mask[29], 1);
    EXPECT_EQ(mask[30], 0);
    EXPECT_EQ(mask[99], 1);
    EXPECT_EQ(mask[4], 1);
    EXPECT_EQ(mask[5], 0);
    EXPECT_EQ(upstreamGap(mask, genes[0], 1000), 5);  // 6..10
    EXPECT_EQ(upstreamGap(mask, genes[1], 1000), 30); // 61..90
    EXPECT_EQ(upstreamGap(mask, genes[2], 1000), 30); // 61..90
    EXPECT_EQ(upstreamGap(mask, genes[1], 12), 12);
}

TEST(EthrinGeneScan, CalibrationFlagsPlantedPromotersAndFewInRandomGenomes)
{
    // 300 genes 1000 bases apart; with promoters planted before every
    // second gene most of those pass at a 10 % false-discovery rate and
    // few others do; without any planted, hardly any gene passes.
    const PromoterModel m = consensusModel();
    for (const bool planted : {true, false}) {
        SCOPED_TRACE(planted);
        std::string genome = randomBases(300000, 41);
        std::vector<GeneRow> genes;
        for (long k = 0; k < 300; ++k) {
            const long start = 500 + 1000 * k;
            genes.push_back({"g" + std::to_string(k), '+', start, start, start + 400});
            if (planted && k % 2 == 0)
                plant(genome, start - 80, bestPromoter(m, 17));
        }
        const auto g = codes(genome);
        const PromoterScanner scanner(m, strandSymmetricComposition(g));
        ScanContext context;
        const RegionSettings settings = normalizedSettings(250, 100, 1, static_cast<long>(g.size()));
        std::vector<double> best;
        (void)scanGenes(g, genes, scanner, context, settings, &best);
        const auto null = shuffledBestScores(g, genes, scanner, context, settings, 2, 1);
        ASSERT_EQ(null.size(), 600u);
        EXPECT_EQ(null, shuffledBestScores(g, genes, scanner, context, settings, 2, 1));
        const double t = fdrThreshold(best, null, 2, 0.1);
        long plantedPassing = 0, otherPassing = 0;
        for (std::size_t k = 0; k < best.size(); ++k)
            (k % 2 == 0 && planted ? plantedPassing : otherPassing) += best[k] > t;
        if (planted) {
            EXPECT_GE(plantedPassing, 140);
        }
        EXPECT_LE(otherPassing, 15);
    }
}
