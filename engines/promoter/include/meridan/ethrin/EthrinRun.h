// One promoter scan as the entry point runs it: inputs named by directory
// prefixes and the genome identifier, four score files out.
#pragma once

#include "meridan/engine/RunContext.h"

#include <iosfwd>
#include <string>

namespace meridan::ethrin {

struct EthrinArguments {
    std::string resultDir;     // argument 0: where the four score files go
    std::string annotationDir; // argument 2: "<dir>/" of genomeId.ano, or empty
    std::string fnaDir;        // argument 3: "<dir>/" of genomeId.fna
    std::string genomeId;      // argument 6
    std::string wmDir;         // argument 8: the weight-matrix files
    std::string pttDir;        // argument 9: "<dir>/" of genomeId.ptt (used when annotationDir is empty)
    std::string rntDir;        // argument 10: "<dir>/" of genomeId.rnt (optional file)
    std::string thresholdDir;  // argument 11: the threshold files
    int upstream = 250;        // argument 12
    int downstream = 100;      // argument 13
    int keep = 1;              // argument 14
    // Progress (stage "genes scanned", over the four sigma factors) and
    // cancel between genes; none: a plain run.
    const engine::RunContext* context = nullptr;
};

// The four sigma factors, in the order their files are written.
inline constexpr const char* kSigmaNames[] = {"sigma24", "sigma32", "sigma38", "sigma70"};

// Runs the scan; messages and trace lines go to `log`. Returns true when the
// four files were written. On any bad or missing input it says why and
// writes nothing; a cancel request (engine::Cancelled, thrown out of the
// call) writes nothing either.
bool runEthrin(const EthrinArguments& arguments, std::ostream& log);

} // namespace meridan::ethrin
