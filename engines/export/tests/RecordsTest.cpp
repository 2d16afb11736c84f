// Exports of a genome of several records joined into one sequence: every
// row names its own record, in that record's coordinates, and nothing is
// placed across two records.
#include "SmallGenome.h"

#include "meridan/export/ExportSet.h"
#include "meridan/export/Writers.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace meridan::exports;
using namespace meridan::exports::test;

namespace {

GenomeFeatures joinedFeatures(std::vector<meridan::genome::RecordSpan> records)
{
    ScratchFolder folder;
    GenomeText genome = smallGenome();
    writeSmallResults(folder.path().string(), genome);
    genome.records.records = std::move(records);
    return placeFeatures(loadGenomeResults(folder.path().string(), "SMALL0001"), genome);
}

std::string lineWith(const std::string& text, const std::string& key)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find(key) != std::string::npos)
            return line;
    return {};
}

} // namespace

TEST(JoinedRecordExports, RowsNameTheirRecordInItsCoordinates)
{
    // Genes b1, b2 on record A (bases 1..240), b3, b4 on record B (241..400).
    const GenomeFeatures f = joinedFeatures({{"A.1", 1, 240}, {"B.1", 241, 160}});
    EXPECT_FALSE(f.circular);
    const std::string gff = gff3Text(f);
    EXPECT_NE(gff.find("##sequence-region A.1 1 240\n##sequence-region B.1 1 160\n"), std::string::npos) << gff;
    EXPECT_EQ(gff.find("SMALL.1"), std::string::npos) << gff;
    // The terminator after b3: 249..264 on the joined sequence, 9..24 on B.1.
    EXPECT_EQ(lineWith(gff, "ID=terminator:b3").rfind("B.1\tMeridan\trho_independent_bacterial_terminator\t9\t24\t", 0), 0u)
        << gff;
    EXPECT_EQ(lineWith(gff, "ID=operon:0000;").rfind("A.1\tMeridan\toperon\t20\t220\t", 0), 0u) << gff;
    EXPECT_EQ(lineWith(terminatorBed(f), "terminator:b3").rfind("B.1\t8\t24\t", 0), 0u) << terminatorBed(f);
    EXPECT_EQ(lineWith(terminatorBed(f), "terminator:b1").rfind("A.1\t105\t121\t", 0), 0u) << terminatorBed(f);
    // b1's promoter would run across the origin: a joined genome has none.
    EXPECT_EQ(lineWith(promoterBed(f), "promoter:b1"), "");
    EXPECT_EQ(lineWith(promoterBed(f), "promoter:b3").rfind("B.1\t100\t130\t", 0), 0u) << promoterBed(f);
    const std::string table = tuTable(f);
    EXPECT_EQ(table.rfind("seqid\ttu_id\t", 0), 0u);
    EXPECT_EQ(lineWith(table, "tu:0001.0").rfind("B.1\ttu:0001.0\t0001.0\toperon:0001\t-\t20\t90\t", 0), 0u) << table;
}

TEST(JoinedRecordExports, NothingIsPlacedAcrossTwoRecords)
{
    // Record A ends at base 120: the operon of b1 and b2 (20..220) would span two records.
    const GenomeFeatures f = joinedFeatures({{"A.1", 1, 120}, {"B.1", 121, 280}});
    for (const OperonFeature& op : f.operons)
        EXPECT_NE(op.number, 0);
    // What is kept lies on one record.
    const auto oneRecord = [&](const Span& span) {
        const auto first = f.records.locate(span.start);
        const auto last = f.records.locate(span.end);
        return first && last && first->record == last->record;
    };
    for (const TuFeature& tu : f.tus)
        EXPECT_TRUE(oneRecord(tu.span)) << tu.id;
    bool warned = false;
    for (const std::string& w : f.warnings)
        warned = warned || w.find("two records") != std::string::npos;
    EXPECT_TRUE(warned);
}
