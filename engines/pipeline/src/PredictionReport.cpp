#include "meridan/pipeline/PredictionReport.h"

#include <algorithm>

namespace meridan::pipeline {

namespace {

struct StageNames {
    Stage stage;
    const char* name;    // in messages
    const char* engines; // the engine libraries that run it; none for the pipeline's own steps
};

constexpr StageNames kStageNames[] = {
    {Stage::Operon, "operon", "Galvora"},
    {Stage::Promoter, "promoter", "Ethrin"},
    {Stage::Terminator, "terminator", "Castrel, Dovrane"},
    {Stage::OperonEvidence, "operon evidence", ""},
    {Stage::TuList, "TU list", "Brintel"},
    {Stage::Export, "export", ""},
};

const StageNames* namesOf(Stage stage)
{
    for (const StageNames& names : kStageNames)
        if (names.stage == stage)
            return &names;
    return nullptr;
}

} // namespace

const char* stageName(Stage stage)
{
    const StageNames* names = namesOf(stage);
    return names ? names->name : "";
}

const char* stageEngines(Stage stage)
{
    const StageNames* names = namesOf(stage);
    return names ? names->engines : "";
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
