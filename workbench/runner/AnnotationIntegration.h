// The annotation file: one gene table holding the protein rows (PTT) and the
// RNA rows (RNT) of a genome in coordinate order, kept as
// "./annotation/" + genomeId + ".ano" and handed to the operon engine, the
// promoter library and the TU builder.
#pragma once

#include <QString>

namespace meridan {

// "./annotation/" + genomeId + ".ano"
QString annotationFilePath(const QString& genomeId);

// Merges the PTT and RNT files into annotationPath: the three header lines of
// the PTT file, then every data row of both files, unchanged, by ascending
// start coordinate. Rows with the same Location and Strand are one gene: the
// later row (RNT after PTT) replaces the earlier one in its place. Rows that
// only share a start are all kept in input order. Every written row ends with
// a line break. Creates the folder of annotationPath when missing; writes the
// file whole or not at all. False when any of the three files cannot be opened.
bool integrateAnnotation(const QString& pttPath, const QString& rntPath,
                         const QString& annotationPath);

// The annotation file chosen for one run.
struct AnnotationChoice {
    QString path;             // handed to the engines as their gene table
    bool usesAnnotationFile;  // false when path is the PTT file itself
};

// Chooses the gene table the engines read: an up-to-date existing annotation
// file is reused; a missing one, or one older than its PTT or RNT file, is made
// (again) from PTT and RNT. Without an RNT file a missing annotation file is not
// made and the engines read the PTT file; an outdated one is removed so that no
// reader takes it for the genome's gene table.
AnnotationChoice selectAnnotation(const QString& pttPath, const QString& rntPath,
                                  const QString& genomeId);

} // namespace meridan
