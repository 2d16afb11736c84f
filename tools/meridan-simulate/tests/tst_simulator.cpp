// The synthetic genome: deterministic, and its planted structure is what the
// truth file says it is.
#include "SimulatedGenome.h"
#include "SimulationFiles.h"
#include "SimulationTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

using namespace meridan::simulation;
using simtest::mismatches;
using simtest::transcribed;

namespace {

const SimulatedGenome& genome()
{
    static const SimulatedGenome g = simulateGenome({200000, 7, "SIM000007"});
    return g;
}

TEST(Simulator, SameSeedSameGenomeOtherSeedOtherGenome)
{
    const SimulatedGenome again = simulateGenome({200000, 7, "SIM000007"});
    EXPECT_EQ(again.sequence, genome().sequence);
    EXPECT_EQ(geneTableText(again, false), geneTableText(genome(), false));
    EXPECT_EQ(truthText(again), truthText(genome()));
    EXPECT_NE(simulateGenome({200000, 8, "SIM000007"}).sequence, genome().sequence);
}

TEST(Simulator, GenomeHasTheRequestedLengthAndOrderedNonOverlappingGenes)
{
    const SimulatedGenome& g = genome();
    EXPECT_EQ(g.sequence.size(), 200000u);
    EXPECT_EQ(g.sequence.find_first_not_of("ACGT"), std::string::npos);
    ASSERT_GT(g.genes.size(), 100u);
    for (size_t i = 0; i < g.genes.size(); ++i) {
        EXPECT_GE(g.genes[i].start, 1);
        EXPECT_LE(g.genes[i].end, 200000);
        if (i) {
            EXPECT_GT(g.genes[i].start, g.genes[i - 1].end) << g.genes[i].synonym;
        }
    }
}

TEST(Simulator, ProteinGenesAreOpenReadingFrames)
{
    for (const SimulatedGene& gene : genome().genes) {
        if (gene.rna)
            continue;
        const std::string s = transcribed(genome(), gene.start, gene.end, gene.strand);
        ASSERT_EQ(s.size() % 3, 0u);
        EXPECT_EQ(gene.lengthField, int(s.size() / 3) - 1);
        EXPECT_TRUE(s.substr(1, 2) == "TG") << gene.synonym << " starts " << s.substr(0, 3);
        for (size_t c = 3; c + 3 < s.size(); c += 3) {
            const std::string codon = s.substr(c, 3);
            ASSERT_TRUE(codon != "TAA" && codon != "TAG" && codon != "TGA") << gene.synonym;
        }
        const std::string stop = s.substr(s.size() - 3);
        EXPECT_TRUE(stop == "TAA" || stop == "TAG" || stop == "TGA") << gene.synonym;
    }
}

TEST(Simulator, OperonsHaveShortGapsInsideAndLongGapsBetween)
{
    const SimulatedGenome& g = genome();
    std::map<size_t, int> sizes;
    int sameCategory = 0, categoryPairs = 0;
    for (const PlantedOperon& o : g.operons) {
        ASSERT_GE(o.genes.size(), 1u);
        ASSERT_LE(o.genes.size(), 8u);
        ++sizes[o.genes.size()];
        for (size_t k = 1; k < o.genes.size(); ++k) {
            const SimulatedGene& a = g.genes[size_t(o.genes[k - 1])];
            const SimulatedGene& b = g.genes[size_t(o.genes[k])];
            EXPECT_EQ(o.genes[k], o.genes[k - 1] + 1);
            EXPECT_EQ(a.strand, o.strand);
            const int gap = b.start - a.end - 1;
            EXPECT_GE(gap, 12);
            EXPECT_LE(gap, 45);
            if (a.cog != "-" && b.cog != "-") {
                ++categoryPairs;
                sameCategory += a.cog.back() == b.cog.back();
            }
        }
    }
    EXPECT_EQ(sizes.size(), 8u);   // every size from 1 to 8 occurs
    EXPECT_GT(sameCategory, categoryPairs * 6 / 10);
    for (size_t i = 1; i < g.operons.size(); ++i)
        if (g.operons[i].strand == g.operons[i - 1].strand) {
            EXPECT_GE(g.operons[i].start - g.operons[i - 1].end - 1, 80);
        }
}

TEST(Simulator, EveryProteinGeneFollowsAShineDalgarnoMotif)
{
    int found = 0, proteins = 0;
    for (const SimulatedGene& gene : genome().genes) {
        if (gene.rna)
            continue;
        ++proteins;
        const std::string upstream = gene.strand == '+'
                                         ? transcribed(genome(), gene.start - 15, gene.start - 6, '+')
                                         : transcribed(genome(), gene.end + 6, gene.end + 15, '-');
        for (size_t i = 0; i + 6 <= upstream.size(); ++i)
            if (mismatches(upstream.substr(i, 6), "AGGAGG") <= 1) {
                ++found;
                break;
            }
    }
    EXPECT_GT(found, proteins * 95 / 100);
}

TEST(Simulator, PromotersPrecedeAndTerminatorsFollowTheirOperons)
{
    const SimulatedGenome& g = genome();
    ASSERT_EQ(g.promoters.size(), g.operons.size());
    ASSERT_EQ(g.terminators.size(), g.operons.size());
    for (size_t i = 0; i < g.operons.size(); ++i) {
        const PlantedOperon& o = g.operons[i];
        const PlantedSignal& p = g.promoters[i];
        const PlantedSignal& t = g.terminators[i];
        const std::string promoter = transcribed(g, p.start, p.end, o.strand);
        EXPECT_LE(mismatches(promoter.substr(0, 6), "TTGACA"), 3);
        EXPECT_LE(mismatches(promoter.substr(promoter.size() - 6), "TATAAT"), 3);
        EXPECT_GE(promoter.size(), 28u);
        EXPECT_LE(promoter.size(), 30u);
        // Promoter upstream of the first transcribed gene, terminator downstream of the last.
        if (o.strand == '+') {
            EXPECT_EQ(p.gene, o.genes.front());
            EXPECT_LT(p.end, o.start);
            EXPECT_GT(t.start, o.end);
            EXPECT_LE(t.start - o.end, 21);
        } else {
            EXPECT_EQ(p.gene, o.genes.back());
            EXPECT_GT(p.start, o.end);
            EXPECT_LT(t.end, o.start);
            EXPECT_LE(o.start - t.end, 21);
        }
        // A hairpin: the stem's two arms pair, then a run of T.
        int stem = 0, loop = 0, tail = 0;
        std::sscanf(t.detail.c_str(), "stem=%d loop=%d tail=%d", &stem, &loop, &tail);
        const std::string s = transcribed(g, t.start, t.end, o.strand);
        ASSERT_EQ(int(s.size()), 2 * stem + loop + tail);
        EXPECT_EQ(s.substr(0, size_t(stem)),
                  simtest::reverseComplement(s.substr(size_t(stem + loop), size_t(stem))));
        EXPECT_GE(std::count(s.end() - tail, s.end(), 'T'), tail - 1);
    }
}

TEST(Simulator, TablesFollowTheGeneTableLayout)
{
    const std::string ptt = geneTableText(genome(), false);
    std::istringstream in(ptt);
    std::string title, count, header, row;
    std::getline(in, title);
    std::getline(in, count);
    std::getline(in, header);
    EXPECT_EQ(header, "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct");
    int rows = 0;
    while (std::getline(in, row)) {
        ++rows;
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 8) << row;
    }
    EXPECT_EQ(count, std::to_string(rows) + " proteins");
    EXPECT_EQ(ptt.back(), '\n');
    EXPECT_NE(geneTableText(genome(), true).find(" RNAs\n"), std::string::npos);
}

TEST(Simulator, RejectsAnAccessionThatCannotNameTheFiles)
{
    EXPECT_THROW(simulateGenome({100000, 1, "SIM1"}), std::invalid_argument);
}

} // namespace
