// Loads a project model from an annotation table, a genome and the result
// files of one prediction, for the views benchmark, with the workbench's own
// readers.
#pragma once

#include "ProjectModel.h"

#include <QString>

namespace viewsbench {

struct Inputs {
    QString annotation;  // PTT-layout table: three header lines, one gene a line
    QString fna;         // single-record FASTA
    QString resultDir;   // folder of the result files, with a trailing separator
    QString genomeId;
};

struct LoadReport {
    bool geneTags = false;
    bool promoters = false;
    bool terminators = false;
    bool tuList = false;
    bool neighbourUnits = false;  // units made from same-strand neighbours
};

// Fills the model; without a TU list, units are made of same-strand
// neighbours less than 50 bp apart so the views still have operons to draw.
LoadReport loadProject(const Inputs &inputs, ProjectModel &model);

} // namespace viewsbench
