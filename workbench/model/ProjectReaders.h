// Readers of the project's inputs: the annotation file (PTT layout) into the
// gene list, and the FNA file into the forward and complement sequences.
#pragma once

#include <QString>

struct ProjectModel;

namespace meridan {

// Reads a gene table in PTT layout (three header lines, then one row per
// gene) into model.genes, replacing what was there; sets genomeTitle and
// genomeLength from the title line and geneCount to the rows read. The rows
// the engines leave out (blank rows, rows without the columns Location to
// Synonym, a Location that is not start..end, a strand other than + or -)
// are left out here too, so a gene's position is its index in the result
// files. Returns false (model unchanged) when the file cannot be opened.
bool readGeneTable(const QString& path, ProjectModel& model);

// Reads the sequence of an FNA file (first line dropped, white space removed)
// into forwardSequence and its base-wise complement into complementSequence.
// Returns false (model unchanged) when the file cannot be opened.
bool readGenomeSequence(const QString& fnaPath, ProjectModel& model);

// A -> T, G -> C, C -> G, T -> A; every other character is kept.
void complementInPlace(QString& sequence);

} // namespace meridan
