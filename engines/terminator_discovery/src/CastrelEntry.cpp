// The exported entry of the terminator discovery library.
#include "castrel/Discovery.h"
#include "terminator/EngineEntries.h"

namespace {

bool discover(const meridan::terminator::RunInputs& inputs, std::ostream& log)
{
    return meridan::castrel::runDiscovery(inputs, log).ok;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    return meridan::terminator::classicEntry("Castrel", fnaPath, pttPath, outputDir, discover);
}

// argv: FNA PTT. Writes the seven model files, the pair file
// (ID_wholepairs_loc.txt) and the run log (ID_terminator_log.txt) into the
// context's output folder, where the scanning engine looks for them; progress stages "training"
// and "final improvement".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    return meridan::terminator::versionedEntry("Castrel", context, argc, argv, discover);
}
