// One whole prediction of a genome without any GUI: the operon, promoter and
// terminator stages at the same time on their own threads, then the
// evidence refinement of the operons (when chosen), the TU list and the
// exports. Every file goes to the folders of the request; nothing depends on
// the current folder or on process-wide state, so several genomes can be
// predicted at once in one process, each with its own request.
#pragma once

#include "meridan/pipeline/PredictionReport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace meridan::pipeline {

class PredictionListener;

// The genome as the engines read it.
struct GenomeFiles {
    std::string genomeId; // names every result file
    std::string fna;
    std::string ptt;
    std::string rnt;      // may be empty
};

enum class OperonMode { Em, Evidence };

// The seed of the operon engine when the caller names none, so that two
// runs of the same genome give the same operons.
inline constexpr std::uint32_t kDefaultSeed = 1;

struct PredictionOptions {
    // The evidence mode decides operons best on every benchmark genome; Em
    // keeps the operon engine's own operons.
    OperonMode operons = OperonMode::Evidence;
    // None: the operon engine takes MERIDAN_SEED or, without it, the clock.
    std::optional<std::uint32_t> seed = kDefaultSeed;
    // Other genomes for comparative operon evidence (a folder or list of
    // genomes, or a panel database), used by the evidence step.
    std::optional<std::string> panel;
    bool exports = true;              // GFF3, BED and the TU table after a complete run
};

struct PredictionFolders {
    std::string program;    // holds bin/ (the engine libraries), WM/ and threshold/; only read
    std::string results;    // the result files
    std::string annotation; // the merged gene table of PTT and RNT
};

struct PredictionRequest {
    GenomeFiles genome;
    PredictionFolders folders;
    PredictionOptions options;
};

// Asks a running prediction to stop; callable from any thread. The running
// engines stop at their next check, later stages do not start.
class CancelSwitch {
public:
    void request() { __atomic_store_n(&flag_, 1, __ATOMIC_RELEASE); }
    void clear() { __atomic_store_n(&flag_, 0, __ATOMIC_RELEASE); }
    bool requested() const { return __atomic_load_n(&flag_, __ATOMIC_ACQUIRE) != 0; }
    const int* flag() const { return &flag_; }

private:
    int flag_ = 0;
};

// Runs the prediction on the calling thread (the three predictions on
// threads of their own); listener and cancel may be null. Never throws.
PredictionReport predictGenome(const PredictionRequest& request, PredictionListener* listener = nullptr,
                               const CancelSwitch* cancel = nullptr);

} // namespace meridan::pipeline
