#include "meridan/pipeline/StagePlan.h"

#include <algorithm>

namespace meridan::pipeline {

const std::vector<std::vector<Stage>>& predictionSteps()
{
    static const std::vector<std::vector<Stage>> steps{
        {Stage::Operon, Stage::Promoter, Stage::Terminator},
        {Stage::OperonEvidence},
        {Stage::TuList},
        {Stage::Export}};
    return steps;
}

bool stageRuns(Stage stage, const PredictionOptions& options, const std::vector<StageReport>& before)
{
    switch (stage) {
    case Stage::OperonEvidence: {
        if (options.operons != OperonMode::Evidence)
            return false;
        const auto operon = std::find_if(before.begin(), before.end(),
                                         [](const StageReport& r) { return r.stage == Stage::Operon; });
        return operon != before.end() && operon->ok;
    }
    case Stage::Export:
        return options.exports
            && std::all_of(before.begin(), before.end(), [](const StageReport& r) { return r.ok; });
    default:
        return true;
    }
}

} // namespace meridan::pipeline
