// An annotated record written as the files the engines read:
// <folder>/<id>.fna, <id>.ptt and, when the record has RNA genes, <id>.rnt.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"
#include "meridan/genome/ReadResult.h"

#include <string>

namespace meridan::genome {

struct EngineInputFiles {
    std::string fna;
    std::string ptt;
    std::string rnt; // empty when the record has no RNA gene
};

// Writes the files as one set (ResultFiles.h: all of them or none, so a
// reader never sees half a file or a mixed set). Fails for a record identifier that cannot
// name a file (see isValidGenomeId) or a file that cannot be written.
ReadResult<EngineInputFiles> writeEngineInputFiles(const AnnotatedRecord& record, const std::string& folder);

} // namespace meridan::genome
