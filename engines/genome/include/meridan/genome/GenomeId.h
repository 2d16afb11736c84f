// The genome identifier that names every file of a genome, taken from a
// file's path by the rule of GenomeName.h: the file name without its
// extension (NC_000913 for .../NC_000913.fna, NZ_AP025271.1 for
// .../NZ_AP025271.1.fna). Every component takes it from a path this way.
#pragma once

#include <optional>
#include <string>

namespace meridan::genome {

// The identifier of path's file name; nothing when it is no usable
// identifier.
std::optional<std::string> genomeIdFromPath(const std::string& path);

// Empty when path's file name yields a usable identifier; otherwise a
// one-line explanation for the user.
std::string genomeFileNameProblem(const std::string& path);

} // namespace meridan::genome
