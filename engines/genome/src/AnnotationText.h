// Pieces the GFF3 and GenBank readers share.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace meridan::genome::detail {

// A reader problem; its text names the file and line.
class ReaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Takes the COG identifiers ("COG:COG0527") and, when the gene has no
// protein accession, a GI number ("GI:16127995") from cross references.
void applyCrossReferences(const std::vector<std::string>& references, AnnotatedGene& gene);

} // namespace meridan::genome::detail
