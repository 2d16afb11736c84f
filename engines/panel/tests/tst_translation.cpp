// Translation and genetic-code detection against hand-translated sequences.
#include "meridan/panel/Translation.h"

#include <gtest/gtest.h>

using namespace meridan::panel;

TEST(Translation, CodesStopsAndStrands)
{
    // ATG GCT TGA TAA: Met Ala, then TGA ends the protein in code 11 (an internal
    // stop becomes X) and codes for Trp in code 4.
    EXPECT_EQ(translate("ATGGCTTGATAA", GeneticCode::Bacterial), "MAX");
    EXPECT_EQ(translate("ATGGCTTGATAA", GeneticCode::Mycoplasma), "MAW");
    EXPECT_EQ(translate("ATGNCTAAA", GeneticCode::Bacterial), "MXK");
    EXPECT_EQ(translate("ATGGC", GeneticCode::Bacterial), "M"); // an incomplete last codon is left out

    const std::string record = "AAATGCCCTAGTT";
    EXPECT_EQ(codingSequence(record, 3, 11, '+'), "ATGCCCTAG");
    EXPECT_EQ(codingSequence(record, 3, 11, '-'), "CTAGGGCAT");
    EXPECT_EQ(codingSequence(record, 12, 2, '+'), "TTAA"); // across the origin
    EXPECT_EQ(codingSequence(record, 0, 5, '+'), "");
    EXPECT_EQ(codingSequence(record, 5, 14, '+'), "");
}

TEST(Translation, DetectsTheMycoplasmaCode)
{
    // 30 genes of 40 codons: in-frame TGA in each of them means code 4.
    std::string body;
    for (int k = 0; k < 38; ++k)
        body += k == 20 ? "TGA" : "GCT";
    std::vector<std::string> genes(30, "ATG" + body + "TAA");
    EXPECT_EQ(detectGeneticCode(genes), GeneticCode::Mycoplasma);
    for (auto& g : genes)
        g = "ATG" + std::string(38 * 3, 'C') + "TGA";
    EXPECT_EQ(detectGeneticCode(genes), GeneticCode::Bacterial); // TGA only as the final stop
}
