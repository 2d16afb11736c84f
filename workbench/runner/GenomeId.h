// The genome identifier that names every file of a project: the 9 characters
// that precede the 4-character extension of a file name (NC_000913 for
// .../NC_000913.ptt). The engines cut it from the paths they receive the
// same way, so a file must be named after it.
#pragma once

#include <QString>

namespace meridan {

// The first 9 of the last 13 characters of path; shorter paths give what is there.
QString genomeIdFromPath(const QString& path);

// Empty when the file name ends in a 9-character identifier and a 4-character
// extension (".fna", ".ptt", ...); otherwise a one-line explanation for the user.
QString genomeFileNameProblem(const QString& path);

} // namespace meridan
