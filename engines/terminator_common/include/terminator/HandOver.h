// Where the terminator discovery leaves the pair file and its run log for
// the scan, in a run through the versioned entry point: named after the
// genome in the output folder, so that the runs of several genomes there
// do not meet.
#pragma once

#include <filesystem>
#include <string>

namespace meridan::terminator {

struct HandOverFiles {
    std::filesystem::path pairs;
    std::filesystem::path runLog;
};

// outputPrefix ends with a path separator; the genome is the one the gene
// table names (PTT or annotation file).
HandOverFiles handOverFiles(const std::string& outputPrefix, const std::string& geneTablePath);

} // namespace meridan::terminator
