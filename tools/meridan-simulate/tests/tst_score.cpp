// Scoring a prediction against the planted structure, with result files made
// to match the truth exactly (and not at all). The terminator rows are placed
// by searching the planted hairpin in the region the scanning engine cuts, so
// the scorer's coordinate arithmetic is checked independently.
#include "SimulatedGenome.h"
#include "SimulationFiles.h"
#include "SimulationScore.h"
#include "SimulationTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

using namespace meridan::simulation;
namespace fs = std::filesystem;

namespace {

class ScoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("meridan-score-" + std::to_string(::getpid()) + "-"
                                               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "results");
        fs::create_directories(folder / "annotation");
        genome = simulateGenome({60000, 3, "SIM000003"});
        writeSimulation(genome, folder / "in");
        // The annotation file: PTT header, then all genes by start.
        std::ofstream ano(folder / "annotation" / "SIM000003.ano");
        const std::string ptt = geneTableText(genome, false);
        ano << ptt.substr(0, ptt.find("Product\n") + 8);
        for (const SimulatedGene& g : genome.genes)
            ano << g.start << ".." << g.end << '\t' << g.strand << "\t1\t-\t-\t" << g.synonym << "\t-\t-\tp\n";
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / "results" / name) << text;
    }

    // The start of the planted hairpin within the region the scan cuts after
    // the terminator's gene: 10 bases of the gene, then downstream.
    int hairpinIndex(const PlantedSignal& t) const
    {
        const SimulatedGene& gene = genome.genes[size_t(t.gene)];
        const int n = 250;
        const std::string hairpin = simtest::transcribed(genome, t.start, t.end, t.strand);
        std::string region;
        if (t.strand == '+')
            region = genome.sequence.substr(size_t(gene.end - 10), n);
        else
            region = simtest::reverseComplement(genome.sequence.substr(size_t(gene.start - n + 9), n));
        return int(region.find(hairpin));
    }

    fs::path folder;
    SimulatedGenome genome;
};

TEST_F(ScoreTest, PerfectPredictionRecoversEverything)
{
    std::string tags, terminators, promoters;
    for (const SimulatedGene& g : genome.genes)
        tags += std::to_string(g.operon) + "    -1    -1    -1\n";
    for (const PlantedSignal& t : genome.terminators) {
        const int start = hairpinIndex(t);
        ASSERT_GE(start, 0);
        char row[200];
        std::snprintf(row, sizeof row, "%5d%10d%10d%10d%20g\t\tGGGCCCC\t%s\n", start, 7, 4, 8, 6.5,
                      genome.genes[size_t(t.gene)].synonym.c_str());
        terminators += row;
    }
    for (const PlantedSignal& p : genome.promoters)
        promoters += genome.genes[size_t(p.gene)].synonym + " 3.5 1 30 TTGACA - TATAAT\n";
    write("SIM000003_genetag.txt", tags);
    write("SIM000003_terminator_score.txt", terminators);
    write("SIM000003_promoter_scores.txt", promoters);

    const RecoveryReport r = scoreRecovery(folder / "in" / "SIM000003_truth.txt", folder);
    EXPECT_EQ(r.geneCount, int(genome.genes.size()));
    EXPECT_GT(r.plantedBoundaries, 0);
    EXPECT_GT(r.plantedLinks, 0);
    EXPECT_EQ(r.recoveredBoundaries, r.plantedBoundaries);
    EXPECT_EQ(r.recoveredLinks, r.plantedLinks);
    EXPECT_EQ(r.plantedTerminators, int(genome.operons.size()));
    EXPECT_EQ(r.recoveredTerminators, r.plantedTerminators);
    EXPECT_EQ(r.internalTerminatorCalls, 0);
    EXPECT_EQ(r.recoveredPromoters, r.plantedPromoters);
}

TEST_F(ScoreTest, OneBigOperonAndNoSignalsRecoverNoBoundary)
{
    std::string tags;
    for (size_t i = 0; i < genome.genes.size(); ++i)
        tags += "0    -1    -1    -1\n";
    write("SIM000003_genetag.txt", tags);
    const RecoveryReport r = scoreRecovery(folder / "in" / "SIM000003_truth.txt", folder);
    EXPECT_EQ(r.recoveredBoundaries, 0);
    EXPECT_EQ(r.recoveredLinks, r.plantedLinks);
    EXPECT_EQ(r.recoveredTerminators, 0);
    EXPECT_EQ(r.recoveredPromoters, 0);
}

TEST_F(ScoreTest, MissingGeneTagsAreReported)
{
    EXPECT_THROW(scoreRecovery(folder / "in" / "SIM000003_truth.txt", folder), std::runtime_error);
}

} // namespace
