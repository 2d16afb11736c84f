// The exported entry of the terminator scanning library.
#include "dovrane/Scanning.h"

#include "meridan/engine/RunContext.h"

#include <iostream>

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    try {
        if (fnaPath == nullptr || pttPath == nullptr || outputDir == nullptr) {
            std::cout << "Dovrane: missing argument" << std::endl;
            return 0;
        }
        meridan::dovrane::ScanningInputs inputs{fnaPath, pttPath, outputDir, {}};
        const bool ok = meridan::dovrane::runScanning(inputs, std::cout).ok;
        std::cout.flush();
        return ok ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// argv: FNA PTT. Writes ID_terminator_score.txt into the context's output folder,
// reading the model files the discovery engine left there; progress stage
// "regions scanned".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    using namespace meridan;
    return engine::runEntry("Dovrane", context, argc, argv, 2,
                            [argv](const engine::RunContext& run, std::ostream& log, const std::string& prefix) {
                                dovrane::ScanningInputs inputs{argv[0], argv[1], prefix, prefix, &run};
                                return dovrane::runScanning(inputs, log).ok;
                            });
}
