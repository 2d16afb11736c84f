// Entries of the Galvora engine library: mainfun, which prints its lines on
// standard output, and the versioned entry point, which reports through the
// caller's context.
#include "meridan/engine/ClassicEntry.h"
#include "meridan/engine/RunContext.h"
#include "meridan/operon/Galvora.h"


extern "C" __attribute__((visibility("default"))) int
mainfun(const char* fnaPath, const char* pttPath, const char* outputDirectory)
{
    return meridan::engine::runClassicEntry("Galvora", {fnaPath, pttPath, outputDirectory}, [&](std::ostream& log) {
        meridan::operon::RunRequest request;
        request.fnaPath = fnaPath;
        request.pttPath = pttPath;
        request.outputDirectory = outputDirectory;
        request.seed = meridan::operon::seedFromEnvironment();
        return meridan::operon::runGalvora(request, log) == 1;
    });
}

// argv: FNA PTT [SEED]. Writes ID_genetag.txt into the context's output
// folder; progress stage "restarts". Without SEED the seed comes from
// MERIDAN_SEED (or the clock), as for mainfun.
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    using namespace meridan;
    return engine::runEntry("Galvora", context, argc, argv, argc == 3 ? 3 : 2,
                            [argc, argv](const engine::RunContext& run, std::ostream& log, const std::string& prefix) {
                                operon::RunRequest request;
                                request.fnaPath = argv[0];
                                request.pttPath = argv[1];
                                request.outputDirectory = prefix;
                                if (argc == 3) {
                                    const auto seed = operon::parseSeed(argv[2]);
                                    if (!seed) {
                                        log << "Galvora: the seed \"" << argv[2] << "\" is no decimal integer\n";
                                        return false;
                                    }
                                    request.seed = *seed;
                                } else {
                                    request.seed = operon::seedFromEnvironment();
                                }
                                request.fit.context = &run;
                                return operon::runGalvora(request, log) == 1;
                            });
}
