// The stage plan: every stage once, the predictions before what reads their
// files, and the rules that leave the evidence step and the exports out.
#include "meridan/pipeline/StagePlan.h"

#include <gtest/gtest.h>

#include <set>

using namespace meridan::pipeline;

namespace {

StageReport ended(Stage stage, bool ok)
{
    StageReport report;
    report.stage = stage;
    report.ok = ok;
    return report;
}

} // namespace

TEST(StagePlan, EachStageOnceAfterWhatItReads)
{
    std::set<Stage> seen;
    int step = 0;
    int stepOf[6] = {};
    for (const std::vector<Stage>& stages : predictionSteps()) {
        for (Stage stage : stages) {
            EXPECT_TRUE(seen.insert(stage).second) << stageName(stage);
            stepOf[int(stage)] = step;
        }
        ++step;
    }
    EXPECT_EQ(seen.size(), 6u);
    for (Stage reads : {Stage::OperonEvidence, Stage::TuList, Stage::Export})
        for (Stage prediction : {Stage::Operon, Stage::Promoter, Stage::Terminator})
            EXPECT_GT(stepOf[int(reads)], stepOf[int(prediction)]) << stageName(reads);
    EXPECT_GT(stepOf[int(Stage::TuList)], stepOf[int(Stage::OperonEvidence)]);
    EXPECT_GT(stepOf[int(Stage::Export)], stepOf[int(Stage::TuList)]);
}

TEST(StagePlan, EvidenceAndExportsOnlyWhenTheyHaveSomethingToWorkOn)
{
    PredictionOptions options;
    const std::vector<StageReport> good{ended(Stage::Operon, true), ended(Stage::Promoter, true),
                                        ended(Stage::Terminator, true)};
    const std::vector<StageReport> noOperons{ended(Stage::Operon, false), ended(Stage::Promoter, true),
                                             ended(Stage::Terminator, true)};
    EXPECT_TRUE(stageRuns(Stage::OperonEvidence, options, good));
    EXPECT_FALSE(stageRuns(Stage::OperonEvidence, options, noOperons));
    EXPECT_TRUE(stageRuns(Stage::TuList, options, noOperons));
    EXPECT_TRUE(stageRuns(Stage::Export, options, good));
    EXPECT_FALSE(stageRuns(Stage::Export, options, noOperons));

    options.operons = OperonMode::Em;
    options.exports = false;
    EXPECT_FALSE(stageRuns(Stage::OperonEvidence, options, good));
    EXPECT_FALSE(stageRuns(Stage::Export, options, good));
}
