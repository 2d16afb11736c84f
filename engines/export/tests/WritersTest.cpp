// The export formats: GFF3 lines and escaping, BED lines split at the
// origin, the TU table's rows.
#include "SmallGenome.h"

#include "meridan/export/ExportSet.h"
#include "meridan/export/Writers.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace meridan::exports;
using namespace meridan::exports::test;

namespace {

GenomeFeatures smallFeatures()
{
    ScratchFolder folder;
    const GenomeText genome = smallGenome();
    writeSmallResults(folder.path().string(), genome);
    return placeFeatures(loadGenomeResults(folder.path().string(), "SMALL0001"), genome);
}

using meridan::testtext::lines;

// The line whose text contains key.
std::string lineWith(const std::string& text, const std::string& key)
{
    for (const std::string& line : lines(text))
        if (line.find(key) != std::string::npos)
            return line;
    return {};
}

} // namespace

TEST(ExportWriters, Gff3EscapingAndStructure)
{
    EXPECT_EQ(escapeGff3Attribute("a;b=c&d,e%f\tg"), "a%3Bb%3Dc%26d%2Ce%25f%09g");
    EXPECT_EQ(escapeGff3Attribute("sigma 70 -35"), "sigma 70 -35");
    EXPECT_EQ(escapeGff3Seqid("chr 1>x|y"), "chr%201%3Ex|y");

    const std::string gff = gff3Text(smallFeatures());
    const auto all = lines(gff);
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0], "##gff-version 3");
    EXPECT_EQ(all[1], "##sequence-region SMALL.1 1 400");
    EXPECT_EQ(all[2], "SMALL.1\tMeridan\tregion\t1\t400\t.\t.\t.\tID=SMALL.1;Is_circular=true");
    EXPECT_EQ(lineWith(gff, "ID=operon:0000;"),
              "SMALL.1\tMeridan\toperon\t20\t220\t.\t+\t.\tID=operon:0000;Name=firstA-second%3BB;"
              "genes=firstA,second%3BB;locus_tags=b1,b2");
    EXPECT_EQ(lineWith(gff, "ID=tu:0000.1;"),
              "SMALL.1\tMeridan\ttranscript\t20\t100\t.\t+\t.\tID=tu:0000.1;Name=firstA;Parent=operon:0000;"
              "genes=firstA;locus_tags=b1;unit=0000.1;alternative=true;promoter=promoter:b1;terminator=terminator:b1");
    EXPECT_EQ(lineWith(gff, "ID=promoter:b1;").rfind("SMALL.1\tMeridan\tbacterial_RNApol_promoter_sigma_70\t390\t419\t2.5\t+\t", 0), 0u);
    EXPECT_NE(lineWith(gff, "ID=promoter:b3:-10;").find("minus_10_signal\t341\t346\t.\t-\t.\tID=promoter:b3:-10;"
                                                        "Parent=promoter:b3;sequence="),
              std::string::npos);
    EXPECT_NE(lineWith(gff, "ID=terminator:b3;").find("rho_independent_bacterial_terminator\t249\t264\t1.5\t-\t.\t"
                                                       "ID=terminator:b3;Name=b3;gene=b3;stem=4;loop=3;tail=5;"),
              std::string::npos);
    // Sorted by start, a parent before the children that start with it.
    long previous = 0;
    for (std::size_t i = 2; i < all.size(); ++i) {
        const long start = std::stol(lines(all[i])[0].substr(all[i].find("\t", all[i].find("Meridan\t") + 8) + 1));
        EXPECT_LE(previous, start) << all[i];
        previous = start;
    }
}

TEST(ExportWriters, BedLinesAreSortedAndSplitAtTheOrigin)
{
    const GenomeFeatures f = smallFeatures();
    const auto promoters = lines(promoterBed(f));
    ASSERT_EQ(promoters.size(), 4u);
    EXPECT_EQ(promoters[0].rfind("track name=\"SMALL0001 promoters\"", 0), 0u);
    // The promoter across the origin: 390..400 and 1..19; its -10 box 14..19
    // is the thick part of the second piece only.
    EXPECT_EQ(promoters[1], "SMALL.1\t0\t19\tpromoter:b1\t250\t+\t13\t19\t44,160,44");
    EXPECT_EQ(promoters[2], "SMALL.1\t340\t370\tpromoter:b3\t1000\t-\t340\t346\t255,127,14");
    EXPECT_EQ(promoters[3], "SMALL.1\t389\t400\tpromoter:b1\t250\t+\t389\t389\t44,160,44");
    const auto terminators = lines(terminatorBed(f));
    ASSERT_EQ(terminators.size(), 3u);
    EXPECT_EQ(terminators[1], "SMALL.1\t105\t121\tterminator:b1\t530\t+\t105\t116\t31,119,180");
    EXPECT_EQ(terminators[2], "SMALL.1\t248\t264\tterminator:b3\t460\t-\t253\t264\t214,39,40");
    const auto tus = lines(tuBed(f));
    ASSERT_EQ(tus.size(), 5u);
    EXPECT_EQ(tus[1], "SMALL.1\t19\t100\ttu:0000.1\t500\t+\t19\t100\t31,119,180");
    EXPECT_EQ(promoterBedScore(-3), 0);
    EXPECT_EQ(promoterBedScore(42), 1000);
    EXPECT_EQ(terminatorBedScore(-12), 0);
    EXPECT_EQ(terminatorBedScore(2), 480);
}

TEST(ExportWriters, TuTableRows)
{
    const auto rows = lines(tuTable(smallFeatures()));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], "tu_id\tunit\toperon_id\tstrand\tstart\tend\tgene_count\tgenes\tlocus_tags\talternative\t"
                       "promoter_id\tpromoter_sigma\tpromoter_score\tpromoter_start\tpromoter_end\t"
                       "terminator_id\tterminator_score\tterminator_start\tterminator_end");
    EXPECT_EQ(rows[1], "tu:0000.1\t0000.1\toperon:0000\t+\t20\t100\t1\tfirstA\tb1\tyes\t"
                       "promoter:b1\tsigma70\t2.5\t390\t419\tterminator:b1\t3.25\t106\t121");
    EXPECT_EQ(rows[2], "tu:0000.0\t0000.0\toperon:0000\t+\t20\t220\t2\tfirstA,second;B\tb1,b2\tno\t"
                       "promoter:b1\tsigma70\t2.5\t390\t419\t\t\t\t");
    EXPECT_EQ(rows[4], "tu:0002.0\t0002.0\toperon:0002\t-\t350\t390\t1\tlast\tb4\tno\t\t\t\t\t\t\t\t\t");
}
