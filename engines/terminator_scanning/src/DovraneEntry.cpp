// The exported entry of the terminator scanning library.
#include "dovrane/Scanning.h"
#include "terminator/EngineEntries.h"

namespace {

bool scan(const meridan::terminator::RunInputs& inputs, std::ostream& log)
{
    return meridan::dovrane::runScanning(inputs, log).ok;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    return meridan::terminator::classicEntry("Dovrane", fnaPath, pttPath, outputDir, scan);
}

// argv: FNA PTT. Writes ID_terminator_score.txt into the context's output folder,
// reading the model and hand-over files the discovery engine left there; progress stage
// "regions scanned".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    return meridan::terminator::versionedEntry("Dovrane", context, argc, argv, scan);
}
