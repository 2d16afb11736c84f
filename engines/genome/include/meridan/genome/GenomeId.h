// The genome identifier that names every file of a genome: the 9
// characters before the 4-character extension of a file name (NC_000913 for
// .../NC_000913.fna). Every component takes it from a path this way.
#pragma once

#include <optional>
#include <string>

namespace meridan::genome {

inline constexpr std::size_t kGenomeIdLength = 9;

// The 9 characters of path that start 13 characters before its end; nothing
// when the path is shorter.
std::optional<std::string> genomeIdFromPath(const std::string& path);

// Empty when the file name of path ends in a 9-character identifier and a
// 4-character extension (".fna", ".ptt", ...) with no further dot in
// either; otherwise a one-line explanation for the user.
std::string genomeFileNameProblem(const std::string& path);

} // namespace meridan::genome
