#include "meridan/pipeline/PredictionReport.h"

#include <algorithm>

namespace meridan::pipeline {

const char* stageName(Stage stage)
{
    switch (stage) {
    case Stage::Operon:
        return "operon";
    case Stage::Promoter:
        return "promoter";
    case Stage::Terminator:
        return "terminator";
    case Stage::OperonEvidence:
        return "operon evidence";
    case Stage::TuList:
        return "TU list";
    case Stage::Export:
        return "export";
    }
    return "";
}

const char* stageEngines(Stage stage)
{
    switch (stage) {
    case Stage::Operon:
        return "Galvora";
    case Stage::Promoter:
        return "Ethrin";
    case Stage::Terminator:
        return "Castrel, Dovrane";
    case Stage::TuList:
        return "Brintel";
    case Stage::OperonEvidence:
    case Stage::Export:
        return "";
    }
    return "";
}

bool PredictionReport::ok() const
{
    return std::all_of(stages.begin(), stages.end(), [](const StageReport& s) { return s.ok; });
}

bool PredictionReport::cancelled() const
{
    return std::any_of(stages.begin(), stages.end(), [](const StageReport& s) { return s.cancelled; });
}

const StageReport* PredictionReport::find(Stage stage) const
{
    const auto it = std::find_if(stages.begin(), stages.end(), [stage](const StageReport& s) { return s.stage == stage; });
    return it == stages.end() ? nullptr : &*it;
}

std::vector<std::string> PredictionReport::failedStages() const
{
    std::vector<std::string> names;
    for (Stage stage : {Stage::Operon, Stage::Promoter, Stage::Terminator, Stage::OperonEvidence, Stage::TuList,
                        Stage::Export})
        if (const StageReport* s = find(stage); s && !s->ok)
            names.push_back(stageName(stage));
    return names;
}

} // namespace meridan::pipeline
