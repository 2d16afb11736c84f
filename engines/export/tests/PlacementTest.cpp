// Placing results on the genome: both strands, the origin, the checks
// against the sequence, and the set written all or nothing.
#include "SmallGenome.h"

#include "meridan/export/ExportSet.h"

#include <gtest/gtest.h>

using namespace meridan::exports;
using namespace meridan::exports::test;

namespace {

GenomeFeatures placeSmall(const GenomeText& genome)
{
    ScratchFolder folder;
    writeSmallResults(folder.path().string(), smallGenome());
    const GenomeResults results = loadGenomeResults(folder.path().string(), "SMALL0001");
    EXPECT_TRUE(results.complete());
    EXPECT_TRUE(results.problems.empty()) << results.problems.front().text();
    return placeFeatures(results, genome);
}

} // namespace

TEST(ExportPlacement, FeaturesLieWhereTheirBasesAre)
{
    const GenomeText genome = smallGenome();
    const GenomeFeatures f = placeSmall(genome);
    ASSERT_EQ(f.terminators.size(), 2u);
    EXPECT_EQ(f.terminators[0].span.start, 106);
    EXPECT_EQ(f.terminators[0].span.end, 121);
    EXPECT_EQ(f.terminators[0].hairpin.end, 116);
    EXPECT_EQ(f.terminators[1].span.strand, '-');
    EXPECT_EQ(f.terminators[1].span.start, 249);
    EXPECT_EQ(f.terminators[1].hairpin.start, 254);
    for (const TerminatorFeature& t : f.terminators)
        EXPECT_EQ(basesAt(genome, t.span), t.sequence);
    ASSERT_EQ(f.warnings.size(), 1u); // the b4 row whose bases are not the genome's
    EXPECT_NE(f.warnings[0].find("line 3"), std::string::npos) << f.warnings[0];

    // Only confident promoters; the one of gene 0 crosses the origin.
    ASSERT_EQ(f.promoters.size(), 2u);
    const PromoterFeature& across = f.promoters[0];
    EXPECT_EQ(across.sigma, "sigma70");
    EXPECT_EQ(across.span.start, 390);
    EXPECT_EQ(across.span.end, 419);
    EXPECT_EQ(across.box10.start, 14);
    EXPECT_EQ(basesAt(genome, across.span).substr(0, 6), across.box35Text);
    EXPECT_EQ(basesAt(genome, across.box10), across.box10Text);
    const PromoterFeature& minus = f.promoters[1];
    EXPECT_EQ(minus.sigma, "sigma24");
    EXPECT_EQ(minus.span.start, 341);
    EXPECT_EQ(minus.span.end, 370);
    EXPECT_EQ(minus.box10.start, 341);
    EXPECT_EQ(minus.box35->end, 370);
    EXPECT_EQ(basesAt(genome, minus.box10), minus.box10Text);
    EXPECT_EQ(basesAt(genome, *minus.box35), minus.box35Text);
}

TEST(ExportPlacement, UnitsSpanTheirGenesAndKnowTheirBounds)
{
    const GenomeFeatures f = placeSmall(smallGenome());
    ASSERT_EQ(f.operons.size(), 3u);
    EXPECT_EQ(f.operons[0].span.start, 20);
    EXPECT_EQ(f.operons[0].span.end, 220);
    ASSERT_EQ(f.tus.size(), 4u);
    const TuFeature& whole = f.tus[0];
    EXPECT_EQ(whole.span.start, 20);
    EXPECT_EQ(whole.span.end, 220);
    EXPECT_FALSE(whole.alternative);
    EXPECT_EQ(f.promoters[*whole.promoter].gene, 0);
    EXPECT_FALSE(whole.terminator); // gene 1 has no terminator
    const TuFeature& first = f.tus[1];
    EXPECT_TRUE(first.alternative);
    EXPECT_EQ(first.span.end, 100);
    EXPECT_EQ(f.terminators[*first.terminator].gene, 0);
    const TuFeature& minus = f.tus[2];
    EXPECT_EQ(minus.span.strand, '-');
    EXPECT_EQ(f.terminators[*minus.terminator].gene, 2);
    EXPECT_EQ(f.promoters[*minus.promoter].gene, 2);
    EXPECT_EQ(f.operons[*minus.operon].number, 1);
}

TEST(ExportPlacement, WithoutTheSequenceNothingIsChecked)
{
    GenomeText unknown;
    unknown.seqid = "SMALL.1";
    unknown.length = 400;
    const GenomeFeatures f = placeSmall(unknown);
    EXPECT_EQ(f.terminators.size(), 3u);
    EXPECT_EQ(f.promoters.size(), 2u);
    EXPECT_TRUE(f.warnings.empty());
}

TEST(ExportSet, WritesAllFilesOrNone)
{
    ScratchFolder folder;
    const GenomeText genome = smallGenome();
    writeSmallResults(folder.path().string(), genome);
    const ExportOutcome ok = exportResults(folder.path().string(), "SMALL0001", genome, folder.path().string());
    ASSERT_TRUE(ok.written) << ok.error;
    ASSERT_EQ(ok.files.size(), 5u);
    EXPECT_EQ(ok.files[0], folder / "SMALL0001.gff3");
    EXPECT_EQ(readText(folder / "SMALL0001_tus.tsv").substr(0, 6), "tu_id\t");

    // A broken TU list line stops the export before anything is written.
    writeText(folder / "SMALL0001_tulist.txt", "SMALL0001\t0000.0\t+\n");
    std::filesystem::remove(folder / "SMALL0001.gff3");
    const ExportOutcome broken = exportResults(folder.path().string(), "SMALL0001", genome, folder.path().string());
    EXPECT_FALSE(broken.written);
    EXPECT_NE(broken.error.find("SMALL0001_tulist.txt:1: expected 7"), std::string::npos) << broken.error;
    EXPECT_FALSE(std::filesystem::exists(folder / "SMALL0001.gff3"));

    // So does a missing result file; an unwritable folder leaves no part files.
    const ExportOutcome missing = exportResults(folder.path().string(), "OTHER0001", genome, folder.path().string());
    EXPECT_FALSE(missing.written);
    EXPECT_NE(missing.error.find("OTHER0001_gene_index_file.txt: cannot open"), std::string::npos) << missing.error;
    writeSmallResults(folder.path().string(), genome);
    const ExportOutcome unwritable =
        exportResults(folder.path().string(), "SMALL0001", genome, folder / "no/such/folder");
    EXPECT_FALSE(unwritable.written);
    EXPECT_FALSE(unwritable.error.empty());
}
