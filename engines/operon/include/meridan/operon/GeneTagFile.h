// The gene-tag file: one line per gene, "operonNumber    sdPosition
// taPosition    terminatorPosition", numbers in default stream notation.
#pragma once

#include "meridan/operon/Decision.h"

#include <iosfwd>
#include <string>

namespace meridan::operon {

// outputDirectory (a plain prefix) + genomeId + "_genetag.txt".
std::string geneTagPath(const std::string& outputDirectory, const std::string& genomeId);

void writeGeneTags(std::ostream& out, const GeneTags& tags);
std::string geneTagText(const GeneTags& tags);


} // namespace meridan::operon
