// The exports of a finished prediction: GFF3, BED and the TU table, made
// from its result files.
#pragma once

#include <QString>

class Console;

// Writes ID.gff3, ID_terminators.bed, ID_promoters.bed, ID_tus.bed and
// ID_tus.tsv into resultDir from the result files there, placed on the genome
// of fnaPath. Reports on the console; false when nothing could be written.
bool writePredictionExports(const QString& resultDir, const QString& genomeId, const QString& fnaPath,
                            Console& console);
