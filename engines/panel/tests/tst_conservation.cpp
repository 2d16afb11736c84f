// Neighbour conservation on a planted panel: a distant genome that keeps
// operon pairs together and nothing else, and a near-identical genome that
// keeps every neighbour whatever its operons.
#include "meridan/panel/Conservation.h"

#include <gtest/gtest.h>

using namespace meridan::panel;

namespace {

// The query: blocks of three genes on one strand, the strand flipping from
// block to block, so every third neighbour pair faces the other way.
constexpr int kBlocks = 20;
char strandOf(int gene) { return (gene / 3) % 2 ? '-' : '+'; }

struct Planted {
    std::vector<QueryGene> query;
    PanelDatabase panel;
};

Planted plant()
{
    Planted p;
    const int genes = 3 * kBlocks;
    PanelEntry distant{"distant", {}, 1, {}}, near{"near", {}, 2, {}};
    std::vector<int> inDistant(static_cast<std::size_t>(genes), 0);
    // The distant genome keeps the first two genes of each block side by side
    // and moves the third away: gene order g0 g1 spacer g2 spacer.
    for (int b = 0; b < kBlocks; ++b)
        for (int k : {0, 1, -1, 2, -1}) {
            PanelGene g;
            g.start = 1000 * std::int64_t(distant.genes.size());
            g.strand = strandOf(3 * b);
            if (k >= 0)
                inDistant[std::size_t(3 * b + k)] = int(distant.genes.size());
            distant.genes.push_back(g);
        }
    for (int i = 0; i < genes; ++i) {
        PanelGene g;
        g.start = 1000 * std::int64_t(i);
        g.strand = strandOf(i);
        near.genes.push_back(g);
        QueryGene q;
        q.strand = strandOf(i);
        q.homologues = {{0, inDistant[std::size_t(i)], 100.0}, {1, i, 500.0}};
        p.query.push_back(q);
    }
    p.panel.genomes = {distant, near};
    return p;
}

} // namespace

TEST(Conservation, WeighsGenomesByTheirBackground)
{
    const Planted p = plant();
    const ConservationResult r = measureConservation(p.query, p.panel, 0.5);
    ASSERT_EQ(r.pairs.size(), p.query.size() - 1);
    // The near-identical genome keeps the opposite-strand neighbours too: it
    // tells operons from boundaries no better than chance and is not used.
    EXPECT_TRUE(r.genomes[0].used);
    EXPECT_FALSE(r.genomes[1].used);
    EXPECT_EQ(r.genomes[0].oppositeConserved, 0);
    EXPECT_EQ(r.genomes[1].oppositeConserved, r.genomes[1].oppositePairs);

    // Pair 0-1 stays together in the distant genome; pair 1-2 only in the near one.
    ASSERT_TRUE(r.pairs[0] && r.pairs[1]);
    EXPECT_EQ(r.pairs[0]->conserved, 1);
    EXPECT_GT(r.pairs[0]->score, 1.0);
    EXPECT_EQ(r.pairs[1]->conserved, 0);
    EXPECT_EQ(r.pairs[1]->score, 0.0);
}

TEST(Conservation, SkipsGenomesAndPairsWithoutHomologues)
{
    Planted p = plant();
    p.query[4].homologues.clear();
    const ConservationResult r = measureConservation(p.query, p.panel, 0.5, {true, false});
    EXPECT_FALSE(r.genomes[0].used); // left out, as the query's own genome would be
    EXPECT_FALSE(r.pairs[3]);        // nothing is known of gene 4
    EXPECT_FALSE(r.pairs[0]);        // the only informative genome is not used

    // Neighbours on different records are never a pair.
    Planted q = plant();
    for (std::size_t i = 30; i < q.query.size(); ++i)
        q.query[i].record = 1;
    EXPECT_FALSE(measureConservation(q.query, q.panel, 0.5).pairs[29]);
}
