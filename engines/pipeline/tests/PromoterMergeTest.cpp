// The promoter table merged from the four sigma factors' score files.
#include "PipelineTestSupport.h"

#include "meridan/pipeline/PromoterMerge.h"

using namespace meridan::pipelinetest;
using meridan::pipeline::mergePromoterFiles;

namespace {

const std::string kHeader = "Name\tStrand\tTSS\tStart\tScore\tx\tBox1\ty\tBox2\tSpacer\n";

void writeAll(const TempFolder& dir, const std::string& s24, const std::string& s32, const std::string& s38,
              const std::string& s70)
{
    writeText(dir.path("results/G.sigma24.sca.dat"), kHeader + s24);
    writeText(dir.path("results/G.sigma32.sca.dat"), kHeader + s32);
    writeText(dir.path("results/G.sigma38.sca.dat"), kHeader + s38);
    writeText(dir.path("results/G.sigma70.sca.dat"), kHeader + s70);
}

// One line as the merge lays it out: every item right-aligned in 15 columns.
std::string line(std::initializer_list<std::string> items)
{
    std::string out;
    for (const std::string& item : items)
        out += std::string(15 - item.size(), ' ') + item;
    return out + std::string(14, ' ') + '\n';
}

TEST(PromoterMerge, HighestScorePerGeneInNameOrder)
{
    const TempFolder dir;
    // Equal scores keep the file read first (sigma24 before sigma70); a
    // sigma38 hit ends after its only box; short lines are left out.
    writeAll(dir, "b0002 + 0 200 2 x TTGACT y TATACT 16\nshort line\n", "",
             "b0003 - 0 500 1.25 x CTATACTTAACT\n",
             "b0001 + 0 120 4.0 x TTGCCA y TAAAAT 18\nb0002 + 0 210 2 x TTTACA y GATAAT 17\n"
             "b0001 + 0 100 3.5 x TTGACA y TATAAT 17\n");
    ASSERT_TRUE(mergePromoterFiles(dir.path("results"), "G"));
    EXPECT_EQ(readText(dir.path("results/G_promoter_scores.txt")),
              line({"b0001", "4", "120", "150", "TTGCCA", "-", "TAAAAT"})
                  + line({"b0002", "2", "200", "228", "TTGACT", "-", "TATACT"})
                  + line({"b0003", "1.25", "500", "512", "CTATACTTAACT", "-", "-"}));
}

TEST(PromoterMerge, ScoresWithSixSignificantDigits)
{
    const TempFolder dir;
    writeAll(dir, "", "", "", "a + 0 1 3.14159265 x A y C 1\nb + 0 1 0.00001234 x A y C 1\nc + 0 1 -0.5 x A y C 1\n");
    ASSERT_TRUE(mergePromoterFiles(dir.path("results"), "G"));
    EXPECT_EQ(readText(dir.path("results/G_promoter_scores.txt")),
              line({"a", "3.14159", "1", "4", "A", "-", "C"}) + line({"b", "1.234e-05", "1", "4", "A", "-", "C"})
                  + line({"c", "-0.5", "1", "4", "A", "-", "C"}));
}

TEST(PromoterMerge, AMissingScoreFileIsNamedAndNothingWritten)
{
    const TempFolder dir;
    writeAll(dir, "", "", "", "");
    std::filesystem::remove(dir.path("results/G.sigma32.sca.dat"));
    std::vector<std::string> unopened;
    EXPECT_FALSE(mergePromoterFiles(dir.path("results"), "G", &unopened));
    ASSERT_EQ(unopened.size(), 1u);
    EXPECT_NE(unopened[0].find("G.sigma32.sca.dat"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path("results/G_promoter_scores.txt")));
}

} // namespace
