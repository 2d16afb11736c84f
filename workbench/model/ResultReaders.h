// The engines' result files into the project model, read by the genome
// library's result readers. Each reader replaces what it fills (so reading
// twice never duplicates anything), tells on the warning channel which lines
// it left out (file and line), and returns false, leaving the model as it
// was, when its file cannot be opened.
#pragma once

#include <QString>

struct ProjectModel;

namespace meridan {

// Gene tags: the gene tag of gene i sets operonNumber, sdPosition,
// taPosition and terminatorPosition of genes[i]; tags beyond the genes are
// ignored.
bool readGeneTags(const QString& path, ProjectModel& model);

// Promoter table into promoterMap (one entry per name, later lines win).
bool readPromoterScores(const QString& path, ProjectModel& model);
// Names the sigma factor of each promoter read by readPromoterScores: the
// sigma whose score file in folder holds the same hit for its gene (sigma
// 70 first, then 38, 32 and 24).
void readPromoterSigmas(const QString& folder, const QString& genomeId, ProjectModel& model);

// Terminator table into terminators (file order) and terminatorMap (one
// entry per label, later lines win).
bool readTerminatorScores(const QString& path, ProjectModel& model);

// TU list into tuMap. Members whose gene index is outside the genes are left
// out of the unit; a unit left without members is dropped.
bool readTuList(const QString& path, ProjectModel& model);

} // namespace meridan
