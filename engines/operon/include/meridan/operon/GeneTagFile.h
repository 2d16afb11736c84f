// The gene-tag file: one line per gene, "operonNumber    sdPosition
// taPosition    terminatorPosition", numbers in default stream notation.
#pragma once

#include "meridan/operon/Decision.h"

#include <fstream>
#include <iosfwd>
#include <optional>
#include <string>

namespace meridan::operon {

// The genome identifier of the FNA file name (NC_000913 for
// …/NC_000913.fna); none when the name cannot be one.
std::optional<std::string> genomeIdFromPath(const std::string& fnaPath);

// outputDirectory (a plain prefix) + genomeId + "_genetag.txt".
std::string geneTagPath(const std::string& outputDirectory, const std::string& genomeId);

void writeGeneTags(std::ostream& out, const GeneTags& tags);

// Writes the gene-tag file through a temporary file beside it that replaces
// the file only when everything was written, so a failed run leaves no
// partial file; the temporary file is removed when not committed.
class GeneTagFile {
public:
    explicit GeneTagFile(std::string path);
    ~GeneTagFile();
    GeneTagFile(const GeneTagFile&) = delete;
    GeneTagFile& operator=(const GeneTagFile&) = delete;

    // Opens the temporary file for writing; false when it cannot be.
    bool open();
    // Writes the tags and puts the file in place; false on any failure.
    bool commit(const GeneTags& tags);

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string temporaryPath_;
    std::ofstream out_;
    bool committed_ = false;
};

} // namespace meridan::operon
