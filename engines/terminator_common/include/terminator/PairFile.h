// The pair file "wholepairs_loc.txt": the number of pairs, then one line per
// pair holding the upstream gene's end, the downstream gene's start and the
// strand, separated by two tabs; no line break after the last pair.
#pragma once

#include "terminator/GenePairs.h"
#include "terminator/RunInputs.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::terminator {

inline constexpr const char* kPairFileName = "wholepairs_loc.txt";

// One pair as read back from the pair file.
struct PairLocation {
    long long upstreamEnd = 0;     // a: 1-based end of the upstream gene
    long long downstreamStart = 0; // b: 1-based start of the downstream gene
    char strand = '+';
};

std::string formatPairFile(const std::vector<GenePair>& pairs);

// Writes the pair file whole or not at all. Throws RunError.
void writePairFile(const std::filesystem::path& path, const std::vector<GenePair>& pairs);

// Reads pair lines by their tab layout; a line that does not fit is reported
// by file and line. Throws RunError.
std::vector<PairLocation> parsePairFile(std::istream& in, const std::string& fileName);
std::vector<PairLocation> readPairFile(const std::filesystem::path& path);

// The gene pairs both terminator engines start from: the genes of the run's
// PTT (their synonyms read or not; problems go to out) paired within the
// records of its FNA, and written to the run's pair file.
struct RunPairs {
    genome::RecordTable records;
    std::vector<GenePair> pairs;
    std::filesystem::path path; // the pair file: the run's pairPath, or kPairFileName
};
RunPairs writeRunPairs(const RunInputs& inputs, SynonymColumn synonym, std::ostream& out);

} // namespace meridan::terminator
