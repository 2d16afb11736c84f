#include "KnownSets.h"
#include "PairBenchmark.h"
#include "SiteBenchmark.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace meridan::evaluate;
using meridan::evidence::TableGene;

namespace {

std::string writeFile(const std::string& name, const std::string& text)
{
    const auto path = std::filesystem::temp_directory_path() / ("meridan_evaluate_" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

TableGene gene(const std::string& tag, long from, long to, char strand, const std::string& cog = "")
{
    return TableGene{tag, from, to, strand, cog, "", ""};
}

const std::vector<TableGene> kGenes{
    gene("b1", 1, 100, '+'),    gene("b2", 110, 200, '+'),  gene("b3", 300, 400, '+'),
    gene("b4", 500, 600, '-'),  gene("b5", 700, 800, '+'),  gene("b6", 810, 900, '+'),
    gene("b7", 1000, 1100, '+'), gene("b7", 1000, 1100, '+')};

} // namespace

TEST(EvaluateKnownSets, RegulonOperonsJudgePairsByEvidenceAndNames)
{
    const auto products = writeFile("products.txt", "# Copyright header\n#\n"
                                                    "ECK1\taaa\tb1\t1\t100\tforward\tp\t\t\tStrong\n"
                                                    "ECK2\tbbb\tb2\t110\t200\tforward\tp\t\t\t\n");
    const auto operons = writeFile("operons.txt", "# RegulonDB header, kept out of the data\n"
                                                  "opA\t1\t200\tforward\t2\taaa,bbb\t[x]\tStrong\n"
                                                  "opB\t300\t400\tforward\t1\tb3\t[x]\tConfirmed\n"
                                                  "opC\t700\t800\tforward\t1\tb5\t[x]\tStrong\n"
                                                  "opD\t810\t1100\tforward\t2\tb6,b7\t[x]\tWeak\n");
    const auto units = readRegulonUnits(operons, {"Strong", "Confirmed"}, readGeneProducts(products));
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].genes, (std::vector<std::string>{"b1", "b2"}));

    const auto truth = knownPairs(kGenes, units);
    EXPECT_EQ(truth[0], PairTruth::Same);     // one multi-gene operon holds both
    EXPECT_EQ(truth[1], PairTruth::Boundary); // two different operons
    EXPECT_EQ(truth[2], PairTruth::Unknown);  // strands differ
    EXPECT_EQ(truth[3], PairTruth::Unknown);
    EXPECT_EQ(truth[4], PairTruth::Boundary); // b5's operon ends there; b6's is only Weak
    EXPECT_EQ(truth[5], PairTruth::Unknown);  // no evidence
    EXPECT_EQ(truth[6], PairTruth::Unknown);  // the same locus tag twice

    // Gap rule: 9 bases between b1 and b2, 99 between b2 and b3.
    const auto counts = comparePairs(truth, linksOfDistance(kGenes, 90));
    EXPECT_EQ(counts.truePositive, 1u);
    EXPECT_EQ(counts.trueNegative, 1u);
    EXPECT_EQ(counts.falsePositive, 1u); // b5-b6: 9 bases apart
    EXPECT_EQ(counts.falseNegative, 0u);
}

TEST(EvaluateKnownSets, TuSetsTablesAndSimulatedTruthGiveUnits)
{
    const auto tus = writeFile("tus.txt", "# header\nECK1\ttuA\topA\taaa,bbb\tpA\t[x]\tStrong\n"
                                          "ECK2\ttuB\topA\tbbb\tpB\t[x]\tWeak\n");
    const auto units = readRegulonUnits(tus, {"Strong"}, {{"aaa", "b1"}, {"bbb", "b2"}});
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].genes, (std::vector<std::string>{"b1", "b2"}));

    const auto table = writeFile("table.tsv", "# genes per line\nb1,b2\nb3\tb5 b6\n");
    const auto fromTable = readUnitTable(table);
    ASSERT_EQ(fromTable.size(), 2u);
    EXPECT_EQ(fromTable[1].genes, (std::vector<std::string>{"b3", "b5", "b6"}));

    const auto truthFile = writeFile("truth.txt", "# planted\noperon\t+\t1\t200\tb1,b2\t2 genes\n"
                                                  "promoter\t+\t1\t40\tb1\tx\noperon\t+\t300\t400\tb3\t1 gene\n");
    const auto planted = readUnitTable(truthFile);
    ASSERT_EQ(planted.size(), 2u);
    EXPECT_EQ(planted[0].genes, (std::vector<std::string>{"b1", "b2"}));

    // Spans: known b1-b2 and b3; predicted b1-b2, b3-b3 is missing, b5-b6 extra.
    const auto spans = compareSpans(kGenes, planted, {{0, 1}, {4, 5}, {2}});
    EXPECT_EQ(spans.known, 2u);
    EXPECT_EQ(spans.knownFound, 2u);
    EXPECT_EQ(spans.predicted, 3u);
}

TEST(EvaluateKnownSets, BadRowsNameFileAndLine)
{
    const auto bed = writeFile("bad.bed", "chr\t10\t20\tx\t0\t+\nchr\tten\t20\n");
    try {
        readSites(bed);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("bad.bed:2"), std::string::npos) << e.what();
    }
    const auto sites = readSites(writeFile("ends.bed", "chr\t10\t11\ta\t0\t-\nchr\t100\t200\n"));
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].position, 11); // the single base of [10, 11)
    EXPECT_EQ(sites[0].strand, '-');
    EXPECT_EQ(sites[1].position, 150);
    EXPECT_EQ(sites[1].strand, '.');
}

TEST(EvaluateSites, PromoterFiguresCountGenesAndHits)
{
    using meridan::evidence::PromoterHit;
    const std::vector<TableGene> genes{gene("g1", 1000, 2000, '+'), gene("g2", 3000, 4000, '-'),
                                       gene("g3", 5000, 6000, '+')};
    // g1: known start 200 nt before, promoter ending 11 nt before it; g2:
    // known start 100 nt before, promoter 60 nt away; g3: flagged, no known
    // start before it, but its promoter covers a start on its strand.
    const std::vector<Site> known{{800, '+'}, {4100, '-'}, {4100, '+'}};
    const std::vector<PromoterHit> hits{{"g1", '+', 796, -240, 1.5, 760, 789},
                                        {"g2", '-', 4153, -190, 0.5, 4160, 4189},
                                        {"g3", '+', 4130, -900, 2.0, 4090, 4119},
                                        {"g3", '+', 4900, -100, -1.0, 4860, 4889}};
    const auto f = comparePromoters(genes, hits, known, 300, 50);
    EXPECT_EQ(f.genes, 3u);
    EXPECT_EQ(f.genesFlagged, 3u);
    EXPECT_EQ(f.genesWithKnown, 2u);
    EXPECT_EQ(f.genesPlaced, 1u);
    EXPECT_EQ(f.hitsFlagged, 3u);
    EXPECT_EQ(f.hitsNearKnown, 2u); // g1's, and g3's near the + start at 4100
}

TEST(EvaluateSites, ConsensusScanFindsPlantedBoxesOnBothStrands)
{
    std::string genome(3000, 'G');
    const std::string promoter = "TTGACA" + std::string(17, 'C') + "TATAAT";
    genome.replace(799, promoter.size(), promoter); // -35 box at 800, -10 box ends at 828
    std::string reverse(promoter.rbegin(), promoter.rend());
    for (char& c : reverse)
        c = c == 'A' ? 'T' : c == 'T' ? 'A' : c == 'C' ? 'G' : 'C';
    genome.replace(2100, reverse.size(), reverse); // 2101..2129, read on the - strand
    const std::vector<TableGene> genes{gene("p", 900, 1200, '+'), gene("m", 1800, 2000, '-'),
                                       gene("none", 1300, 1500, '+')};
    const auto hits = consensusScan(genome, genes);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].synonym, "p");
    EXPECT_EQ(hits[0].tss, 828 + 7);
    EXPECT_EQ(hits[0].from, 800);
    EXPECT_EQ(hits[0].to, 828);
    EXPECT_EQ(hits[1].synonym, "m");
    EXPECT_EQ(hits[1].tss, 2101 - 7);
    EXPECT_EQ(hits[1].from, 2101);
    EXPECT_EQ(hits[1].to, 2129);
}

TEST(EvaluateSites, TerminatorEndsAndWindows)
{
    using meridan::evidence::TerminatorRow;
    const std::vector<TableGene> genes{gene("up", 100, 1000, '+'), gene("dn", 2000, 3000, '-')};
    // Hairpin + tail of 20 bases starting 15 bases into each region.
    const std::vector<TerminatorRow> rows{{15, 5, 4, 6, 3.0, "up"}, {15, 5, 4, 6, 3.0, "dn"},
                                          {15, 5, 4, 6, 1.0, "dn"}, {15, 5, 4, 6, 9.0, "other"}};
    const auto ends = terminatorEnds(genes, rows, 2.0);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0].position, 1000 - 9 + 15 + 19);
    EXPECT_EQ(ends[1].position, 2000 + 9 - 15 - 19);
    EXPECT_EQ(ends[1].strand, '-');
    const std::vector<Site> known{{ends[0].position + 50, '+'}, {ends[1].position, '+'}};
    const auto f = compareSites(known, ends, 50);
    EXPECT_EQ(f.knownFound, 1u); // the second known end lies on the other strand
    EXPECT_EQ(f.predictedNear, 1u);
    EXPECT_EQ(compareSites(known, ends, 49).knownFound, 0u);
}

TEST(EvaluateSites, KnownEndsBetweenNeighboursMarkBoundaries)
{
    // kGenes: b1-b2 (+, 9 bases apart), b2-b3 (+), b3-b4 opposite strands,
    // b5-b6 (+), b6-b7 (+), b7-b7 the same locus tag.
    const std::vector<Site> ends{{205, '+'}, {450, '+'}, {790, '.'}, {1090, '-'}};
    const auto atEnds = pairsAtKnownEnds(kGenes, ends, 20);
    EXPECT_EQ(atEnds[0], PairTruth::Same);     // nothing ends between b1 and b2
    EXPECT_EQ(atEnds[1], PairTruth::Boundary); // 205 lies between b2 and b3
    EXPECT_EQ(atEnds[2], PairTruth::Unknown);  // strands differ
    EXPECT_EQ(atEnds[4], PairTruth::Boundary); // 790 is within the reach into b5, strand unknown
    EXPECT_EQ(atEnds[5], PairTruth::Same);     // 1090 lies on the other strand
    EXPECT_EQ(atEnds[6], PairTruth::Unknown);  // the same locus tag twice
}
