// The exported entry of the TU builder library.
#include "brintel/TuBuilder.h"
#include "meridan/engine/ClassicEntry.h"
#include "meridan/engine/RunContext.h"

// Builds the gene index file, the summary and the TU list under ./results/.
// Returns 1 on success and 0 when a file cannot be opened or the run fails;
// it never ends the process and lets no exception escape.
extern "C" __attribute__((visibility("default"))) int
mainfun(const char* pttPath, const char* genetagPath, const char* promoterScorePath,
        const char* terminatorScorePath, const char* tulistPath, const char* genomeId)
{
    return meridan::engine::runClassicEntry(
        "Brintel", {pttPath, genetagPath, promoterScorePath, terminatorScorePath, tulistPath, genomeId},
        [&](std::ostream& log) {
            const brintel::TuBuilderSettings settings{pttPath, genetagPath, promoterScorePath,
                                                      terminatorScorePath, tulistPath, genomeId};
            return brintel::buildTuList(settings, log);
        });
}

// argv: PTT GENETAG PROMOTER_SCORES TERMINATOR_SCORES TULIST ID. Writes the
// TU list (its own path) and ID_gene_index_file.txt and ID_summary.txt into
// the context's output folder; progress stage "TU list".
MERIDAN_ENGINE_EXPORT int meridan_engine_run_v1(const MeridanEngineContext* context, int argc,
                                                const char* const* argv)
{
    using namespace meridan;
    return engine::runEntry("Brintel", context, argc, argv, 6,
                            [argv](const engine::RunContext& run, std::ostream& log, const std::string& prefix) {
                                brintel::TuBuilderSettings settings{argv[0], argv[1], argv[2], argv[3], argv[4], argv[5]};
                                settings.resultsDir = prefix;
                                settings.context = &run;
                                return brintel::buildTuList(settings, log);
                            });
}
