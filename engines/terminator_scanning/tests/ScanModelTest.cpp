#include "TerminatorTestSupport.h"
#include "dovrane/ScanModel.h"
#include "terminator/RunError.h"

#include "TestText.h"

#include <gtest/gtest.h>

using namespace meridan::dovrane;
using meridan::terminator::ModelParameters;
using meridan::terminator::RunError;

namespace {

ModelParameters parameters()
{
    ModelParameters model;
    model.background = {0.3, 0.2, 0.2, 0.3};
    for (auto& row : model.pairProb)
        row = {0.05, 0.05, 0.05, 0.05}; // inadmissible entries too
    model.pairProb[0][3] = 0.18;
    model.pairProb[2][1] = 0.08;
    model.pairProb[3][2] = 0.06;
    model.tailProb = {0.1, 0.2, 0.3, 0.4};
    model.stemLen.assign(120, 0.01);
    model.loopLen.assign(120, 0.02);
    model.tailLen.assign(31, 0.03);
    model.p0 = 0.7;
    return model;
}

} // namespace

TEST(TerminatorScanModel, RatiosOnlyForAdmissiblePairs)
{
    const ScanModel model = ScanModel::fromParameters(parameters(), "x.bf");
    EXPECT_DOUBLE_EQ(model.pairRatio[0][3], 0.18 / (0.3 * 0.3));
    EXPECT_DOUBLE_EQ(model.pairRatio[2][1], 0.08 / (0.2 * 0.2));
    EXPECT_DOUBLE_EQ(model.pairRatio[3][2], 0.06 / (0.3 * 0.2));
    EXPECT_EQ(model.pairRatio[0][0], 0.0);
    EXPECT_EQ(model.pairRatio[1][3], 0.0);
    EXPECT_DOUBLE_EQ(model.tailRatio[3], 0.4 / 0.3);
    EXPECT_EQ(model.stemLen.size(), 250u);
    EXPECT_EQ(model.stemLen[119], 0.01);
    EXPECT_EQ(model.stemLen[120], 0.0);
    EXPECT_EQ(model.tailLen[30], 0.03);
    EXPECT_EQ(model.tailLen[31], 0.0);
    EXPECT_EQ(model.p0, 0.7);
}

TEST(TerminatorScanModel, ZeroBackgroundIsRefused)
{
    ModelParameters zero = parameters();
    zero.background[1] = 0.0;
    EXPECT_EQ(meridan::testtext::thrownMessage<RunError>([&] { ScanModel::fromParameters(zero, "results/NC_000001.bf"); }),
              "The background composition in results/NC_000001.bf has a zero value ! "
              "No terminator scores written.");
}

TEST(TerminatorScanModel, MissingFilesAreReported)
{
    meridan::terminator::testsupport::ScratchDir dir;
    const std::string prefix = (dir / "NC_000001").string();
    EXPECT_EQ(meridan::testtext::thrownMessage<RunError>([&] { readScanModel(prefix); }),
              "Can't open file " + prefix + ".bf !");
    meridan::terminator::writeModelFiles(prefix, parameters());
    EXPECT_DOUBLE_EQ(readScanModel(prefix).pairRatio[0][3], 0.18 / (0.3 * 0.3));
}
