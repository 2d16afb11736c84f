#include "meridan/genome/GeneSequence.h"
#include "meridan/genome/GenomeSequence.h"

#include <gtest/gtest.h>

using namespace meridan::genome;

namespace {

GeneRecord gene(int start, int end, char strand)
{
    GeneRecord g;
    g.start = start;
    g.end = end;
    g.strand = strand;
    return g;
}

} // namespace

TEST(GeneSequence, CutsBothStrandsInReadingDirection)
{
    const auto genome = makeGenomeSequence("AATGCCCTAAGG");
    //                                      123456789012
    EXPECT_EQ(geneSequence(gene(2, 10, '+'), genome.sequence, genome.reverseComplement),
              "ATGCCCTAA");
    // Forward 3..8 is TGCCCT; read on the minus strand it is AGGGCA.
    EXPECT_EQ(geneSequence(gene(3, 8, '-'), genome.sequence, genome.reverseComplement), "AGGGCA");
    EXPECT_EQ(geneSequence(gene(1, 12, '-'), genome.sequence, genome.reverseComplement),
              genome.reverseComplement);
}

TEST(GeneSequence, OtherStrandGivesTheMessageText)
{
    const auto genome = makeGenomeSequence("ACGTACGT");
    EXPECT_EQ(geneSequence(gene(1, 4, '.'), genome.sequence, genome.reverseComplement),
              "strand is neither //'+//' nor //'-//' !");
}

TEST(GeneSequence, GenesOutsideTheGenomeHaveNoSequence)
{
    const auto genome = makeGenomeSequence("ACGTACGT");
    for (const auto& g : {gene(0, 4, '+'), gene(5, 9, '+'), gene(5, 9, '-'), gene(-3, 2, '-'),
                          gene(6, 3, '+'), gene(12000, 1, '-')})
        EXPECT_EQ(geneSequence(g, genome.sequence, genome.reverseComplement), "")
            << g.start << ".." << g.end << g.strand;
    const auto empty = makeGenomeSequence("");
    EXPECT_EQ(geneSequence(gene(1, 1, '+'), empty.sequence, empty.reverseComplement), "");
}
