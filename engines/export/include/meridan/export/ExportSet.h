// The export files of one genome, made from its result files and written as
// one set: <ID>.gff3, <ID>_terminators.bed, <ID>_promoters.bed, <ID>_tus.bed
// and <ID>_tus.tsv.
#pragma once

#include "meridan/export/Features.h"

#include <string>
#include <vector>

namespace meridan::exports {

struct ExportFile {
    std::string name;    // file name, e.g. NC_000913.gff3
    std::string content;
};

// The five files of the placed features.
std::vector<ExportFile> exportFiles(const GenomeFeatures& features);

struct ExportOutcome {
    bool written = false;
    std::string error;                 // why nothing was written
    std::vector<std::string> files;    // paths written
    std::vector<std::string> warnings; // results left out of the files
    GenomeFeatures features;           // what was placed (also when the files could not be written)
};

// Reads the result files of genomeId in resultFolder, places them on the
// genome and writes the five files into outputFolder, all of them or none.
// Nothing is written when a required result file is missing or has lines
// that cannot be read: the error then names them with file and line.
ExportOutcome exportResults(const std::string& resultFolder, const std::string& genomeId, const GenomeText& genome,
                            const std::string& outputFolder, const ExportOptions& options = {});

// The same from results already read and placed.
ExportOutcome writeExportFiles(GenomeFeatures features, const std::string& outputFolder);

} // namespace meridan::exports
