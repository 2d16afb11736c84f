// The exported entry of the terminator discovery library.
#include "castrel/Discovery.h"
#include "terminator/HandOver.h"

#include "meridan/engine/ClassicEntry.h"
#include "meridan/engine/RunContext.h"

extern "C" __attribute__((visibility("default"))) int mainfun(const char* fnaPath, const char* pttPath,
                                                              const char* outputDir)
{
    return meridan::engine::runClassicEntry("Castrel", {fnaPath, pttPath, outputDir}, [&](std::ostream& log) {
        meridan::castrel::DiscoveryInputs inputs{fnaPath, pttPath, outputDir, {}, {}, nullptr};
        return meridan::castrel::runDiscovery(inputs, log).ok;
    });
}

// argv: FNA PTT. Writes the seven model files, the pair file
// (ID_wholepairs_loc.txt) and the run log (ID_terminator_log.txt) into the
// context's output folder, where the scanning engine looks for them; progress stages "training"
// and "final improvement".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    using namespace meridan;
    return engine::runEntry("Castrel", context, argc, argv, 2,
                            [argv](const engine::RunContext& run, std::ostream& log, const std::string& prefix) {
                                const terminator::HandOverFiles handOver = terminator::handOverFiles(prefix, argv[1]);
                                castrel::DiscoveryInputs inputs{argv[0], argv[1], prefix, handOver.pairs,
                                                                handOver.runLog, &run};
                                return castrel::runDiscovery(inputs, log).ok;
                            });
}
