// The genome sequence as the terminator engines read it, the genome
// identifier cut from a file path, and windows of the sequence that never
// reach outside it.
#pragma once

#include "meridan/genome/GenomeId.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace meridan::terminator {

using genome::genomeIdFromPath;

// The sequence of the first FASTA record (the genome library's reader:
// blanks dropped, letters upper case). Throws RunError when the text is no
// FASTA (the message names the line).
std::string parseGenomeText(std::istream& in);

// The file's sequence, or nothing when it cannot be opened. Throws RunError.
std::optional<std::string> readGenomeText(const std::string& path);

// The characters of [start, start + length) that lie inside the genome; a
// window reaching before its start or past its end is clipped to it.
std::string clippedWindow(const std::string& genome, long long start, long long length);

} // namespace meridan::terminator
