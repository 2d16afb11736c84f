// Which records of an annotated genome are predicted, and under which name:
// the records with two or more protein genes, chromosome first, predicted
// together as one genome. The command line and the workbench choose alike.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"

#include <string>
#include <vector>

namespace meridan::genome {

struct PredictedRecords {
    std::vector<const AnnotatedRecord*> records; // chromosome first
    std::vector<std::string> notes;              // records skipped, pseudogenes left out
    int proteins = 0;                            // protein genes of the records kept
    int rnas = 0;
};

// The records of `genome` to predict on; the records it left out for want of
// a sequence are named first. The records point into `genome`.
PredictedRecords predictedRecords(const AnnotatedGenome& genome);

// The name of the genome predicted from `records`, read from annotationPath:
// a single record keeps its accession; several are named after the file
// (Paracoccus_sp.gbff.gz gives Paracoccus_sp), or after the first record
// when the file name cannot name a genome.
std::string predictedGenomeId(const std::string& annotationPath, const std::vector<const AnnotatedRecord*>& records);

} // namespace meridan::genome
