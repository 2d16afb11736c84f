// The exported entry of the terminator scanning library.
#include "dovrane/Scanning.h"
#include "terminator/HandOver.h"

#include "meridan/engine/ClassicEntry.h"
#include "meridan/engine/RunContext.h"

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    return meridan::engine::runClassicEntry("Dovrane", {fnaPath, pttPath, outputDir}, [&](std::ostream& log) {
        meridan::dovrane::ScanningInputs inputs{fnaPath, pttPath, outputDir, {}, {}, nullptr};
        return meridan::dovrane::runScanning(inputs, log).ok;
    });
}

// argv: FNA PTT. Writes ID_terminator_score.txt into the context's output folder,
// reading the model and hand-over files the discovery engine left there; progress stage
// "regions scanned".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    using namespace meridan;
    return engine::runEntry("Dovrane", context, argc, argv, 2,
                            [argv](const engine::RunContext& run, std::ostream& log, const std::string& prefix) {
                                const terminator::HandOverFiles handOver = terminator::handOverFiles(prefix, argv[1]);
                                dovrane::ScanningInputs inputs{argv[0], argv[1], prefix, handOver.pairs,
                                                               handOver.runLog, &run};
                                return dovrane::runScanning(inputs, log).ok;
                            });
}
