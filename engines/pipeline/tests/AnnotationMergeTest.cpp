// The merged gene table of PTT and RNT rows, and the choice of the table
// the engines read.
#include "PipelineTestSupport.h"

#include "meridan/pipeline/AnnotationMerge.h"

#include <thread>

using namespace meridan::pipelinetest;
using meridan::pipeline::chooseAnnotation;
using meridan::pipeline::mergeAnnotation;

namespace {

std::string header(const std::string& count = "2 proteins")
{
    return "Genome - 1..1000\n" + count + "\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";
}

std::string row(const std::string& location, const std::string& strand, const std::string& name)
{
    return location + "\t" + strand + "\t33\t-\t" + name + "\t" + name + "\t-\t-\t-\n";
}

std::string merged(const TempFolder& dir, const std::string& ptt, const std::string& rnt)
{
    writeText(dir.path("in/G.ptt"), ptt);
    writeText(dir.path("in/G.rnt"), rnt);
    EXPECT_TRUE(mergeAnnotation(dir.path("in/G.ptt"), dir.path("in/G.rnt"), dir.path("annotation/G.ano")));
    return readText(dir.path("annotation/G.ano"));
}

TEST(AnnotationMerge, RowsOrderedByStartWithTheRnaRowReplacingTheSameGene)
{
    const TempFolder dir;
    // hokC/mokC-like genes sharing a start stay in input order; the RNA row
    // of a protein row's location takes its place.
    const std::string text = merged(dir, header() + row("500..600", "+", "p3") + row("100..200", "+", "p1")
                                              + row("100..180", "-", "p2"),
                                    header("2 RNAs") + row("100..200", "+", "r1") + row("50..90", "-", "r0"));
    EXPECT_EQ(text, header() + row("50..90", "-", "r0") + row("100..200", "+", "r1") + row("100..180", "-", "p2")
                        + row("500..600", "+", "p3"));
}

TEST(AnnotationMerge, CrLfFilesAndALastRowWithoutLineBreak)
{
    const TempFolder dir;
    std::string crlfHeader = header();
    for (std::size_t p = 0; (p = crlfHeader.find('\n', p)) != std::string::npos; p += 2)
        crlfHeader.replace(p, 1, "\r\n");
    std::string last = row("300..400", "+", "p2");
    last.pop_back();
    const std::string text = merged(dir, crlfHeader + last, header("1 RNAs"));
    EXPECT_EQ(text, crlfHeader + last + "\r\n");
}

TEST(AnnotationMerge, MissingInputsWriteNothing)
{
    const TempFolder dir;
    writeText(dir.path("in/G.ptt"), header() + row("1..90", "+", "a"));
    EXPECT_FALSE(mergeAnnotation(dir.path("in/G.ptt"), dir.path("in/none.rnt"), dir.path("annotation/G.ano")));
    EXPECT_FALSE(mergeAnnotation(dir.path("in/G.ptt"), "", dir.path("annotation/G.ano")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("annotation/G.ano")));
}

TEST(AnnotationChoice, WithoutRntThePttIsReadAndAStaleTableRemoved)
{
    const TempFolder dir;
    writeText(dir.path("annotation/G.ano"), "old");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writeText(dir.path("in/G.ptt"), header() + row("1..90", "+", "a"));
    const auto choice = chooseAnnotation(dir.path("in/G.ptt"), "", dir.path("annotation"), "G");
    EXPECT_FALSE(choice.usesAnnotationFile);
    EXPECT_EQ(choice.path, dir.path("in/G.ptt"));
    EXPECT_FALSE(std::filesystem::exists(dir.path("annotation/G.ano")));
}

TEST(AnnotationChoice, WithRntTheTableIsMadeOnceAndReused)
{
    const TempFolder dir;
    writeText(dir.path("in/G.ptt"), header() + row("1..90", "+", "a"));
    writeText(dir.path("in/G.rnt"), header("1 RNAs") + row("95..120", "+", "r"));
    const auto made = chooseAnnotation(dir.path("in/G.ptt"), dir.path("in/G.rnt"), dir.path("annotation"), "G");
    ASSERT_TRUE(made.usesAnnotationFile);
    EXPECT_EQ(made.path, dir.path("annotation/G.ano"));
    writeText(made.path, "kept");
    std::filesystem::last_write_time(made.path, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
    const auto reused = chooseAnnotation(dir.path("in/G.ptt"), dir.path("in/G.rnt"), dir.path("annotation"), "G");
    EXPECT_TRUE(reused.usesAnnotationFile);
    EXPECT_EQ(readText(reused.path), "kept");
}

} // namespace
