// The genome identifier that names every file of a project: the file name
// without its extension (NC_000913 for .../NC_000913.ptt, NZ_AP025271.1 for
// .../NZ_AP025271.1.fna). The engines take it from the paths they receive the
// same way, so a file must be named after it.
#pragma once

#include <QString>

namespace meridan {

// The identifier of path's file name; empty when the name cannot be one.
QString genomeIdFromPath(const QString& path);

// Empty when the file name gives a usable identifier (letters, digits, '_',
// '.' and '-'); otherwise a one-line explanation for the user.
QString genomeFileNameProblem(const QString& path);

// The merged gene table of PTT and RNT the prediction keeps:
// "./annotation/" + genomeId + ".ano".
QString annotationFilePath(const QString& genomeId);

} // namespace meridan
