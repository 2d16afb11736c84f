// How much of the planted structure a prediction run recovered: operon
// boundaries from the gene tags, terminators from the terminator table and
// promoters from the promoter table.
#pragma once

#include <filesystem>
#include <string>

namespace meridan::simulation {

struct RecoveryReport {
    int geneCount = 0;              // genes of the annotation file
    int sameStrandPairs = 0;        // neighbours on one strand: the operon engine's decisions
    int plantedBoundaries = 0;      // of those, pairs that an operon boundary separates
    int recoveredBoundaries = 0;    // ... that the gene tags also separate
    int plantedLinks = 0;           // pairs inside one planted operon
    int recoveredLinks = 0;         // ... that the gene tags keep together
    int plantedTerminators = 0;
    int scannedTerminators = 0;     // whose gene has a row in the terminator table
    int recoveredTerminators = 0;   // a confident row (score > 2) at the planted place
    int internalTerminatorCalls = 0;  // confident rows after genes inside an operon
    int plantedPromoters = 0;
    int recoveredPromoters = 0;     // first gene with a promoter scored above 0
    std::string text() const;
};

// Reads truthPath (written by the simulator) and, in programFolder, the
// annotation file and the result tables of the genome it names. Throws
// std::runtime_error naming a file that cannot be read.
RecoveryReport scoreRecovery(const std::filesystem::path& truthPath,
                             const std::filesystem::path& programFolder);

} // namespace meridan::simulation
