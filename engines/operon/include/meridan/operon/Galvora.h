// One run of the operon engine: read the genome and its gene table, fit the
// operon model and write the gene-tag file.
#pragma once

#include "meridan/genome/GeneRecord.h"
#include "meridan/operon/RestartLoop.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace meridan::operon {

struct RunRequest {
    std::string fnaPath;
    std::string pttPath;
    std::string outputDirectory; // plain prefix of the output path, e.g. "./results/"
    std::uint32_t seed = 0;      // of the random starting motifs
    FitOptions fit;
};

// The per-gene values of a finished fit: the best restart's decisions
// applied to the gene table, or, when no restart gave a usable
// log-likelihood, every gene an operon of its own without signal positions
// (said so on log).
GeneTags geneTagsOfFit(const genome::GeneTable& table, const TrainingMaterial& material,
                       const FitOutcome& fit, std::ostream& log);

// Runs the engine, writing its trace lines and messages to log. Returns 1
// when the gene-tag file was written, 0 when a file could not be read or
// written (the message says which; no gene-tag file is left behind).
int runGalvora(const RunRequest& request, std::ostream& log);

// The seed given by text when it is a decimal integer (optional sign,
// digits only, within the 64-bit range), taken modulo 2^32.
std::optional<std::uint32_t> parseSeed(const char* text);

// MERIDAN_SEED when it holds a decimal integer, otherwise the current
// calendar time in seconds truncated to 32 bits.
std::uint32_t seedFromEnvironment();

} // namespace meridan::operon
