// An annotated record, or all records of a genome joined into one, written
// as the files the engines read: <folder>/<id>.fna, <id>.ptt and, when there
// are RNA genes, <id>.rnt; for joined records also <id>_records.txt.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"
#include "meridan/genome/ReadResult.h"
#include "meridan/genome/RecordTable.h"

#include <string>
#include <vector>

namespace meridan::genome {

struct EngineInputFiles {
    std::string fna;
    std::string ptt;
    std::string rnt; // empty when the record has no RNA gene
    std::string records; // the record table; empty for one record
};

// Writes the files as one set (ResultFiles.h: all of them or none, so a
// reader never sees half a file or a mixed set). Fails for a record identifier that cannot
// name a file (see isValidGenomeId) or a file that cannot be written.
ReadResult<EngineInputFiles> writeEngineInputFiles(const AnnotatedRecord& record, const std::string& folder);

// The records of one genome as one sequence: in the given order, kRecordSpacer
// N's between two of them and after the last, every gene moved to its place in the joined
// sequence. A gene running across a record's origin cannot be placed there
// and is left out (named in notes).
struct JoinedRecords {
    AnnotatedRecord genome; // id genomeId
    RecordTable table;
    std::vector<std::string> notes;
};
JoinedRecords joinRecords(const std::string& genomeId, const std::vector<const AnnotatedRecord*>& records);

// One record is written as it is, under genomeId (writeEngineInputFiles);
// several are joined (joinRecords) and written with their record table.
// A record table left from an earlier run of genomeId is removed.
ReadResult<EngineInputFiles> writeGenomeInputFiles(const std::string& genomeId,
                                                   const std::vector<const AnnotatedRecord*>& records,
                                                   const std::string& folder, std::vector<std::string>* notes = nullptr);

} // namespace meridan::genome
