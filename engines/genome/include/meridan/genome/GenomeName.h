// The genome identifier a file names: the file name without its extension
// (and without a ".gz" before it), any length, made of letters, digits,
// '_', '.' and '-'. NC_000913.fna gives NC_000913, NZ_AP025271.1.fna gives
// NZ_AP025271.1, pPCP1.ptt gives pPCP1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace meridan::genome {

// True for a usable identifier: not empty, only the characters above, not
// "." or ".." and not starting with '.' or '-', so that "<folder>/<id>_x.txt"
// stays inside <folder> and reads as no option.
bool isValidGenomeId(std::string_view id);

// The identifier of path's file name; nothing when it is not valid.
std::optional<std::string> genomeIdFromFileName(std::string_view path);

// Empty when path names a valid identifier, else the message for the user.
std::string genomeIdProblem(std::string_view path);

} // namespace meridan::genome
