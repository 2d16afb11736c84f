// What meridan-predict is given, turned into the genomes the engines predict:
// an FNA/PTT[/RNT] triple as it is, or a GenBank / GFF3 file (with its FASTA
// file when the GFF3 has no sequence) with all its records as one genome,
// written as FNA/PTT/RNT (and, for several records, their record table)
// into the annotation folder.
#pragma once

#include "meridan/pipeline/Prediction.h"

#include <string>
#include <vector>

struct GenomeJob {
    meridan::pipeline::GenomeFiles files;
    int proteins = -1; // -1 when not counted (FNA/PTT form)
    int rnas = -1;
    int records = 1;  // records predicted together
};

struct GenomeInputs {
    std::vector<GenomeJob> jobs;    // the genome to predict (one)
    std::vector<std::string> notes; // records skipped, pseudogenes left out, ...
    std::string problem;            // set when nothing can be predicted
    bool fromAnnotation = false;
};

// True when the arguments name an annotation file (GenBank or GFF3) rather
// than the FNA/PTT[/RNT] triple: one file, or a second file that is GFF3 or
// GenBank by its content.
bool isAnnotationForm(const std::vector<std::string>& files);

// Checks an FNA/PTT[/RNT] triple; empty when usable, else the user message.
std::string checkTableInputs(const std::vector<std::string>& files);

// Builds the genomes. Annotation forms are read and written under
// annotationFolder; the FNA/PTT form is copied there when copyTables is set
// (the copies are then what the engines read). Paths must be absolute.
GenomeInputs prepareGenomes(const std::vector<std::string>& files, const std::string& annotationFolder,
                            bool copyTables);
