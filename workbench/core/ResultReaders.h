// Readers of the engines' result files into the project model. Each reader
// replaces what it fills (so reading twice never duplicates anything), skips
// blank and short lines, and returns false, leaving the model as it was, when
// its file cannot be opened.
#pragma once

#include <QString>

struct ProjectModel;

namespace meridan {

// Gene-tag file: line i (blank lines not counted) sets operonNumber,
// sdPosition, taPosition and terminatorPosition of genes[i]; lines beyond the
// genes are ignored.
bool readGeneTags(const QString& path, ProjectModel& model);

// Promoter-score table into promoterMap (one entry per name, later lines win).
bool readPromoterScores(const QString& path, ProjectModel& model);
// Names the sigma factor of each promoter read by readPromoterScores: the
// sigma whose scan (folder/ID.sigmaNN.sca.dat) holds the same hit for its gene.
void readPromoterSigmas(const QString& folder, const QString& genomeId, ProjectModel& model);

// Terminator score table into terminators (file order) and terminatorMap
// (one entry per label, later lines win).
bool readTerminatorScores(const QString& path, ProjectModel& model);

// TU list into tuMap. Members whose gene index is outside the genes are left
// out of the unit.
bool readTuList(const QString& path, ProjectModel& model);

} // namespace meridan
