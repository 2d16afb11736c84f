#include "TerminatorTestSupport.h"
#include "terminator/ModelFiles.h"
#include "terminator/RunError.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace meridan::terminator;
using meridan::terminator::testsupport::ScratchDir;
using meridan::terminator::testsupport::readLines;
using meridan::terminator::testsupport::readText;

namespace {

ModelParameters sampleModel()
{
    ModelParameters model;
    model.background = {0.2549, 0.2551, 0.245, 0.2450001};
    model.pairProb = {{{0, 0, 0, 0.3}, {0, 0, 0.2, 0}, {0, 0.1, 0, 1e-05}, {0.25, 0, 0.14999, 0}}};
    model.tailProb = {0.1, 0.2, 0.3, 1.0 / 3.0};
    model.stemLen.assign(120, 0.0);
    model.stemLen[4] = 0.5;
    model.loopLen.assign(120, 1.0 / 120);
    model.tailLen.assign(120, 0.0);
    model.tailLen[30] = 0.75;
    model.p0 = 0.625;
    return model;
}

std::string failureOf(const std::function<void()>& action)
{
    return meridan::testtext::thrownMessage<RunError>(action);
}

} // namespace

TEST(TerminatorModelFiles, TextFormats)
{
    const ModelParameters model = sampleModel();
    EXPECT_EQ(roundToHundredths(0.2549), 0.25);
    EXPECT_EQ(roundToHundredths(0.2551), 0.26);
    EXPECT_EQ(formatModelFile(".bf", model), "0.25 0.26 0.25 0.25");
    EXPECT_EQ(formatModelFile(".ws", model),
              "0\t0\t0\t0.3\t\n0\t0\t0.2\t0\t\n0\t0.1\t0\t1e-05\t\n0.25\t0\t0.14999\t0\t\n");
    EXPECT_EQ(formatModelFile(".wt", model), "0.1\t0.2\t0.3\t0.333333\t");
    EXPECT_EQ(formatModelFile(".ifo", model), "0.625\n");

    const std::string stems = formatModelFile(".ls", model);
    EXPECT_EQ(std::count(stems.begin(), stems.end(), '\n'), 120);
    EXPECT_EQ(stems.substr(0, 12), "0\n0\n0\n0\n0.5\n");
    EXPECT_EQ(stems.back(), '\n');
    EXPECT_EQ(formatModelFile(".ll", model).substr(0, 11), "0.00833333\n");

    ModelParameters initial = model;
    initial.tailLen.assign(31, 1.0 / 31);
    const std::string tails = formatModelFile(".lt", initial);
    EXPECT_EQ(std::count(tails.begin(), tails.end(), '\n'), 31);
    EXPECT_EQ(tails.substr(0, 10), "0.0322581\n");
}

TEST(TerminatorModelFiles, WrittenAndReadBackWithTheScannerCapacities)
{
    ScratchDir dir;
    const std::string prefix = (dir / "NC_000001").string();
    writeModelFiles(prefix, sampleModel());
    for (const char* extension : kModelExtensions)
        EXPECT_TRUE(std::filesystem::exists(prefix + extension)) << extension;
    EXPECT_EQ(readLines(prefix + ".ls").size(), 120u);
    EXPECT_EQ(readText(prefix + ".bf"), "0.25 0.26 0.25 0.25");

    const ModelParameters back = readModelFiles(prefix);
    EXPECT_EQ(back.background, (std::array<double, 4>{0.25, 0.26, 0.25, 0.25}));
    EXPECT_DOUBLE_EQ(back.pairProb[0][3], 0.3);
    EXPECT_DOUBLE_EQ(back.pairProb[2][3], 1e-05);
    EXPECT_DOUBLE_EQ(back.tailProb[3], 0.333333);
    ASSERT_EQ(back.stemLen.size(), 250u);
    EXPECT_DOUBLE_EQ(back.stemLen[4], 0.5);
    EXPECT_EQ(back.stemLen[200], 0.0);
    // Only 31 tail-length values are taken, whatever the file holds.
    ASSERT_EQ(back.tailLen.size(), 31u);
    EXPECT_DOUBLE_EQ(back.tailLen[30], 0.75);
    EXPECT_DOUBLE_EQ(back.p0, 0.625);

    removeModelFiles(prefix);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    removeModelFiles(prefix); // already gone: no error
}

TEST(TerminatorModelFiles, ShortFilesLeaveZeros)
{
    ScratchDir dir;
    const std::string prefix = (dir / "NC_000001").string();
    writeModelFiles(prefix, sampleModel());
    testsupport::writeText(prefix + ".ws", "0 0 0 0.5\n");
    testsupport::writeText(prefix + ".ls", "0\n0\n0\n0.25\n");
    const ModelParameters back = readModelFiles(prefix);
    EXPECT_DOUBLE_EQ(back.pairProb[0][3], 0.5);
    EXPECT_EQ(back.pairProb[3][0], 0.0);
    EXPECT_DOUBLE_EQ(back.stemLen[3], 0.25);
    EXPECT_EQ(back.stemLen[4], 0.0);
}

TEST(TerminatorModelFiles, MissingAndMalformedFilesAreReported)
{
    ScratchDir dir;
    const std::string prefix = (dir / "NC_000001").string();
    writeModelFiles(prefix, sampleModel());
    std::filesystem::remove(prefix + ".ll");
    EXPECT_EQ(failureOf([&] { readModelFiles(prefix); }), "Can't open file " + prefix + ".ll !");

    writeModelFiles(prefix, sampleModel());
    testsupport::writeText(prefix + ".ws", "0 0 0 0.3\n0 0 zero 0\n");
    EXPECT_EQ(failureOf([&] { readModelFiles(prefix); }),
              "Bad line 2 in file " + prefix + ".ws: \"zero\" is not a number !");
    testsupport::writeText(prefix + ".ws", "0 0 0 -nan\n");
    EXPECT_NE(failureOf([&] { readModelFiles(prefix); }), "no error");
}

TEST(TerminatorModelFiles, AFailedWriteLeavesNoFile)
{
    ScratchDir dir;
    const std::string missing = (dir / "no-such-folder" / "NC_000001").string();
    EXPECT_EQ(failureOf([&] { writeModelFiles(missing, sampleModel()); }),
              "Can't open file " + missing + ".bf !");

    // The fourth file cannot be written: none of the seven may appear.
    const std::string prefix = (dir / "NC_000001").string();
    std::filesystem::create_directories(prefix + ".ls.part");
    EXPECT_EQ(failureOf([&] { writeModelFiles(prefix, sampleModel()); }), "Can't open file " + prefix + ".ls !");
    std::filesystem::remove(prefix + ".ls.part");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
