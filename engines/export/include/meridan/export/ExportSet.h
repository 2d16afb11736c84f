// The export files of one genome, made from its result files and written as
// one set: <ID>.gff3, <ID>_terminators.bed, <ID>_promoters.bed, <ID>_tus.bed
// and <ID>_tus.tsv.
#pragma once

#include "meridan/export/Features.h"

#include <optional>
#include <string>
#include <vector>

namespace meridan::exports {

struct ExportFile {
    std::string name;    // file name, e.g. NC_000913.gff3
    std::string content;
};

// The five files of the placed features.
std::vector<ExportFile> exportFiles(const GenomeFeatures& features);

// Reads the result files of genomeId in resultFolder and places them on the
// genome. No features when a required result file is missing or has lines
// that cannot be read: error then names them with file and line (lines left
// out of the sigma factors' score files only become warnings).
struct Placement {
    std::optional<GenomeFeatures> features;
    std::string error;
};
Placement placeResults(const std::string& resultFolder, const std::string& genomeId, const GenomeText& genome,
                       const ExportOptions& options = {});

// Writes every file (name = its path) so that either all of them hold their
// new content or none was changed; false with error set otherwise.
bool writeFiles(const std::vector<ExportFile>& files, std::string& error);

struct ExportOutcome {
    bool written = false;
    std::string error;                 // why nothing was written
    std::vector<std::string> files;    // paths written
    std::vector<std::string> warnings; // results left out of the files
    GenomeFeatures features;           // what was placed
};

// placeResults, then the five files into outputFolder, all of them or none.
ExportOutcome exportResults(const std::string& resultFolder, const std::string& genomeId, const GenomeText& genome,
                            const std::string& outputFolder, const ExportOptions& options = {});

} // namespace meridan::exports
