// The two exported entries of a terminator engine library, around one
// run(inputs, log) -> ok: the classic mainfun(FNA, PTT, output folder), and
// the versioned entry (argv: FNA PTT) that hands the pair file and run log
// over in the context's output folder, named after the genome.
#pragma once

#include "terminator/HandOver.h"
#include "terminator/RunInputs.h"

#include "meridan/engine/ClassicEntry.h"
#include "meridan/engine/RunContext.h"

namespace meridan::terminator {

template <typename Run>
int classicEntry(const char* engine, const char* fnaPath, const char* pttPath, const char* outputDir, Run run)
{
    return engine::runClassicEntry(engine, {fnaPath, pttPath, outputDir}, [&](std::ostream& log) {
        return run(RunInputs{fnaPath, pttPath, outputDir, {}, {}, nullptr}, log);
    });
}

template <typename Run>
int versionedEntry(const char* engine, const MeridanEngineContext* context, int argc, const char* const* argv, Run run)
{
    return engine::runEntry(engine, context, argc, argv, 2,
                            [&](const engine::RunContext& runContext, std::ostream& log, const std::string& prefix) {
                                const HandOverFiles handOver = handOverFiles(prefix, argv[1]);
                                return run(RunInputs{argv[0], argv[1], prefix, handOver.pairs, handOver.runLog,
                                                     &runContext},
                                           log);
                            });
}

} // namespace meridan::terminator
