// The promoter table: the promoter library leaves one score file per sigma
// factor (genomeId + ".sigma24.sca.dat", ".sigma32.sca.dat", ".sigma38.sca.dat",
// ".sigma70.sca.dat"); the workbench and the TU builder read one table,
// genomeId + "_promoter_scores.txt", with the best promoter of each gene.
#pragma once

#include <QString>
#include <QStringList>

namespace meridan {

// The four sigma-factor file suffixes, in the order they are merged.
QStringList sigmaFileSuffixes();

// Merges the four sigma files of resultDir into resultDir + genomeId +
// "_promoter_scores.txt": one line per gene name, the highest score winning
// (on equal scores the file read first), in ascending name order, every item
// right-aligned in 15 columns. False, and nothing written, when any of the five
// files cannot be opened; missing, when given, then lists the unopenable ones.
bool integratePromoterFile(const QString& genomeId,
                           const QString& resultDir = QStringLiteral("./results/"),
                           QStringList* missing = nullptr);

} // namespace meridan
