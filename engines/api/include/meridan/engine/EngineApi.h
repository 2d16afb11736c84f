/* The versioned entry point every engine library exports next to mainfun.
 *
 * A caller fills a MeridanEngineContext and calls
 *     int meridan_engine_run_v1(const MeridanEngineContext* context,
 *                               int argc, const char* const* argv);
 * resolved by the name MERIDAN_ENGINE_RUN_SYMBOL. Through it an engine
 *  - writes its result files and the files it hands to the next engine
 *    (the terminator pair file and training log) into context->outputDir
 *    only, and never depends on the current folder;
 *  - writes nothing to standard output or standard error: every line it has
 *    to say goes to context->log, its advance to context->progress;
 *  - checks *context->cancel between steps and, when it is set, stops and
 *    leaves no result file behind (MERIDAN_RUN_CANCELLED).
 * The callbacks are called on the calling thread, never after the call
 * returned. Several runs may go on at once in one process (each with its own
 * context and output folder).
 *
 * Arguments (argv) per engine library, paths in the file system's encoding:
 *   Galvora  FNA PTT [SEED]                 -> ID_genetag.txt
 *   Castrel  FNA PTT                        -> the model files, ID_wholepairs_loc.txt,
 *                                              ID_terminator_log.txt
 *   Dovrane  FNA PTT                        -> ID_terminator_score.txt
 *   Brintel  PTT GENETAG PROMOTER_SCORES TERMINATOR_SCORES TULIST ID
 *                                           -> TULIST, ID_gene_index_file.txt, ID_summary.txt
 *   Ethrin   ANNOTATION_DIR FNA_DIR ID WM_DIR PTT_DIR RNT_DIR THRESHOLD_DIR
 *            UPSTREAM DOWNSTREAM KEEP       -> ID.sigmaNN.sca.dat (four files)
 * The folders of Ethrin's arguments are prefixes like "annotation/"; an
 * empty ANNOTATION_DIR means the PTT (and RNT) files are read.
 */
#ifndef MERIDAN_ENGINE_API_H
#define MERIDAN_ENGINE_API_H

#ifdef __cplusplus
extern "C" {
#endif

#define MERIDAN_ENGINE_API_VERSION 1
#define MERIDAN_ENGINE_RUN_SYMBOL "meridan_engine_run_v1"

/* Levels of the lines given to the log callback. */
enum MeridanLogLevel {
    MERIDAN_LOG_TRACE = 0,   /* the engine's progress and trace lines */
    MERIDAN_LOG_WARNING = 1, /* something was skipped or guessed; the run goes on */
    MERIDAN_LOG_ERROR = 2    /* why the run failed; the last line before a failure */
};

/* What meridan_engine_run_v1 returns. */
enum MeridanRunStatus {
    MERIDAN_RUN_OK = 0,        /* the result files are written */
    MERIDAN_RUN_FAILED = 1,    /* an input or output problem; the log says which */
    MERIDAN_RUN_CANCELLED = 2, /* stopped on request; no result file written */
    MERIDAN_RUN_BAD_CALL = 3   /* null or unknown-version context, wrong argument count */
};

/* One line without its line end. */
typedef void (*MeridanLogFunction)(void* user, int level, const char* line);
/* The engine is in `stage` and has done `done` of `total` steps of it
 * (total 0: unknown). Within a stage, done never decreases. */
typedef void (*MeridanProgressFunction)(void* user, const char* stage, long long done,
                                        long long total);

typedef struct MeridanEngineContext {
    int version;                      /* MERIDAN_ENGINE_API_VERSION */
    const char* outputDir;            /* folder of every file the run writes; made when missing */
    MeridanLogFunction log;           /* may be null: lines are dropped */
    MeridanProgressFunction progress; /* may be null */
    void* user;                       /* handed back to log and progress */
    const int* cancel;                /* may be null; set to nonzero (atomically) to stop */
} MeridanEngineContext;

typedef int (*MeridanEngineRun)(const MeridanEngineContext* context, int argc,
                                const char* const* argv);

#ifdef __cplusplus
}
#endif

#endif
