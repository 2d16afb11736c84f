#include "brintel/BuilderInputs.h"
#include "brintel/GeneIndexTable.h"
#include "brintel/TextFields.h"

#include "SmallCase.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace brintel;
using namespace brintel::test;

namespace {

BuilderInputs readAll(const std::string& geneTable, const std::string& geneTags,
                      const std::string& promoters, const std::string& terminators,
                      std::ostream& log)
{
    BuilderInputs inputs;
    std::istringstream tags(geneTags), prom(promoters), term(terminators), genes(geneTable);
    inputs.operonNumbers = readOperonNumbers(tags, "genes.genetag", log);
    inputs.promoterRows = readPromoterRows(prom, "promoters.txt", log);
    inputs.terminatorRows = readTerminatorRows(term, "terminators.txt", log);
    inputs.geneRows = readGeneRows(genes, "genes.ptt", log);
    return inputs;
}

std::string geneIndexText(const BuilderInputs& inputs)
{
    std::ostringstream out;
    writeGeneIndexFile(out, inputs);
    return out.str();
}

// Data rows of a gene index text, split into fields.
std::vector<std::vector<std::string>> dataRows(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line))
        rows.push_back(splitFields(line));
    return rows;
}

const char* kHeader = "t\n1 proteins\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";

} // namespace

TEST(BrintelGeneIndexTable, JoinsTheFourSourcesIntoEighteenFields)
{
    std::ostringstream log;
    const BuilderInputs inputs =
        readAll(smallGeneTable(), smallGeneTags(), smallPromoters(), smallTerminators(), log);
    ASSERT_EQ(inputs.geneRows.size(), 6u) << "the empty line must not take a gene index";
    EXPECT_EQ(geneIndexText(inputs), expectedGeneIndexFile());
    EXPECT_EQ(log.str(), "");
    for (const auto& row : dataRows(geneIndexText(inputs)))
        EXPECT_EQ(row.size(), field::count);
}

TEST(BrintelGeneIndexTable, GeneWithoutGeneTagLineGetsTuMinusOne)
{
    std::ostringstream log;
    // Blank lines in the gene-tag file do not count as genes either.
    const BuilderInputs inputs =
        readAll(smallGeneTable(), "0    -1    -1    -1\n\n0    17    -1    -1\n", "", "", log);
    const auto rows = dataRows(geneIndexText(inputs));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][field::tu], "0");
    EXPECT_EQ(rows[1][field::tu], "0");
    for (std::size_t i = 2; i < rows.size(); ++i)
        EXPECT_EQ(rows[i][field::tu], "-1") << "gene " << i;
    for (const auto& row : rows)
        for (std::size_t f = field::promoterScore; f < field::count; ++f)
            EXPECT_EQ(row[f], "-");
}

TEST(BrintelGeneIndexTable, LaterPromoterLineForTheSameGeneWins)
{
    std::ostringstream log;
    const std::string promoters = promoterLine("b0002", "0.5", 1, 8, "AAA", "CCC") +
                                  promoterLine("b0003", "0.7", 3, 10, "GGG", "TTT") +
                                  promoterLine("b0002", "-1.25", 5, 12, "ACG", "TGC");
    const auto rows = dataRows(geneIndexText(readAll(smallGeneTable(), smallGeneTags(), promoters, "", log)));
    EXPECT_EQ(rows[1][field::promoterScore], "-1.25");
    EXPECT_EQ(rows[1][field::promoterLeft], "5");
    EXPECT_EQ(rows[1][field::promoterBox35], "ACG");
    EXPECT_EQ(rows[1][field::promoterBox10], "TGC");
    EXPECT_EQ(rows[2][field::promoterScore], "0.7");
}

TEST(BrintelGeneIndexTable, TerminatorRowsAreKeyedByTheirLastToken)
{
    std::ostringstream log;
    const std::string terminators = terminatorLine(3, 3, 0, 4, "4.5", "GGGCCCTTTT", "b0003");
    const auto rows = dataRows(geneIndexText(readAll(smallGeneTable(), smallGeneTags(), "", terminators, log)));
    EXPECT_EQ(rows[2][field::terminatorScore], "4.5");
    EXPECT_EQ(rows[2][field::terminatorLeft], "3");
    EXPECT_EQ(rows[2][field::terminatorSequence], "GGGCCCTTTT");
    EXPECT_EQ(rows[0][field::terminatorScore], "-");
}

// A result line the genome library's reader cannot use is named in the log
// and left out: its gene shows "-" as if the file had no line for it, and
// the genes after it keep their own lines.
TEST(BrintelGeneIndexTable, UnusableResultLinesAreLeftOutAndReported)
{
    std::ostringstream log;
    const std::string promoters = "\nb0002 1.5 405\n" + promoterLine("b0003", "0.7", 3, 10, "GGG", "TTT");
    const std::string terminators = "12 7 4 b0001\n" + terminatorLine(30, 6, 5, 8, "2", "CCCGGGAAAAACCCGGGTTTTTTTT", "b0005");
    const auto rows =
        dataRows(geneIndexText(readAll(smallGeneTable(), "0 -1 -1 -1\nx -1 -1 -1\n0 -1 -1 -1\n", promoters,
                                       terminators, log)));
    ASSERT_EQ(rows.size(), 6u);
    for (std::size_t f = field::promoterScore; f < field::count; ++f) {
        EXPECT_EQ(rows[0][f], "-");
        EXPECT_EQ(rows[1][f], "-");
    }
    EXPECT_EQ(rows[2][field::promoterScore], "0.7");
    EXPECT_EQ(rows[4][field::terminatorScore], "2");
    EXPECT_EQ(rows[1][field::tu], "-1") << "a gene-tag line that is no number";
    EXPECT_EQ(rows[2][field::tu], "0") << "the lines after it stay with their genes";
    for (const char* expected : {"promoters.txt:2: expected 7 items, found 3; row left out",
                                 "terminators.txt:1: expected 7 items, found 4; row left out",
                                 "genes.genetag:2: "})
        EXPECT_NE(log.str().find(expected), std::string::npos) << expected << "\n" << log.str();
}

// A row every engine leaves out is left out here too, so that gene i stays
// gene i of the gene-tag file; a row short of its Product column is kept.
TEST(BrintelGeneIndexTable, UnusableGeneRowIsLeftOutAndShortOneFilledWithDashes)
{
    std::ostringstream log;
    const std::string geneTable = std::string(kHeader) + "100..400\t+\t100\n" +
                                  "500..900\t-\t10\t77\tgenB\tb0007\t-\t-\n";
    const auto rows = dataRows(geneIndexText(readAll(geneTable, "0 -1 -1 -1\n", "", "", log)));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][field::synonym], "b0007");
    EXPECT_EQ(rows[0][field::product], "-") << "a row without Product column";
    EXPECT_NE(log.str().find("genes.ptt:4: 3 columns where 6 are needed"), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("genes.ptt:5: short line, 8 tokens where 9 are read"), std::string::npos)
        << log.str();
}

TEST(BrintelGeneIndexTable, WindowsLineEndsReadLikeUnixOnes)
{
    std::string crlf;
    for (char c : smallGeneTable()) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    std::ostringstream log;
    EXPECT_EQ(geneIndexText(readAll(crlf, smallGeneTags(), smallPromoters(), smallTerminators(), log)),
              expectedGeneIndexFile());
}

TEST(BrintelGeneIndexTable, ReadingBackKeysRowsByTheirFirstField)
{
    std::istringstream in(geneIndexHeader() + "\n" + "7\tb7\t1\n" + "\n" + "3\tb3\t1\n" + "7\tb7bis\t2\n");
    const GeneIndexTable table = readGeneIndexTable(in);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at(3), "3\tb3\t1");
    EXPECT_EQ(table.at(7), "7\tb7bis\t2");

    std::istringstream full(expectedGeneIndexFile());
    const GeneIndexTable small = readGeneIndexTable(full);
    ASSERT_EQ(small.size(), 6u);
    EXPECT_EQ(small.begin()->first, 0);
    EXPECT_EQ(small.rbegin()->first, 5);
}
