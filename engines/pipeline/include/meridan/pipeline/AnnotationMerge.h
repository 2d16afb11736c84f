// The annotation file: one gene table holding the protein rows (PTT) and the
// RNA rows (RNT) of a genome in coordinate order, kept in the annotation
// folder as <id>.ano and handed to the operon engine, the promoter library
// and the TU builder.
#pragma once

#include <string>

namespace meridan::pipeline {

// Merges the PTT and RNT files into annotationPath: the three header lines of
// the PTT file, then every data row of both files, unchanged, by ascending
// start coordinate. Rows with the same Location and Strand are one gene: the
// later row (RNT after PTT) replaces the earlier one in its place. Rows that
// only share a start are all kept in input order. Every written row ends with
// a line break. Creates the folder of annotationPath when missing; writes the
// file whole or not at all. False when any of the three files cannot be opened.
bool mergeAnnotation(const std::string& pttPath, const std::string& rntPath, const std::string& annotationPath);

// The gene table chosen for one run.
struct AnnotationChoice {
    std::string path;        // handed to the engines as their gene table
    bool usesAnnotationFile; // false when path is the PTT file itself
    std::string note;        // what was done, for the log
};

// An up-to-date existing annotation file is reused; a missing one, or one
// older than its PTT or RNT file, is made (again) from PTT and RNT. Without an
// RNT file none is made and the engines read the PTT file; an outdated one is
// removed so that no reader takes it for the genome's gene table.
AnnotationChoice chooseAnnotation(const std::string& pttPath, const std::string& rntPath,
                                  const std::string& annotationFolder, const std::string& genomeId);

} // namespace meridan::pipeline
