// The genome sequence as the terminator engines read it, the genome
// identifier cut from a file path, and windows of the sequence that never
// reach outside it.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace meridan::terminator {

// The genome identifier of path's file name (NC_000913 for
// .../NC_000913.fna); nothing when the name cannot be one.
std::optional<std::string> genomeIdFromPath(const std::string& path);

// Skips the header line (whatever its length) and concatenates every
// whitespace-delimited token of the rest of the text.
std::string parseGenomeText(std::istream& in);

// The file's sequence, or nothing when it cannot be opened.
std::optional<std::string> readGenomeText(const std::string& path);

// The characters of [start, start + length) that lie inside the genome; a
// window reaching before its start or past its end is clipped to it.
std::string clippedWindow(const std::string& genome, long long start, long long length);

} // namespace meridan::terminator
