// Reader of a table of known promoters (tab-separated: identifier, name,
// strand "forward"/"reverse", transcription start, sigma factors separated
// by commas, 81-base sequence with the start in upper case at index 60,
// evidence, confidence level). Lines starting with '#' are comments.
#pragma once

#include <string>
#include <vector>

namespace meridan::ethrin::tools {

struct KnownPromoter {
    std::string name;
    char strand = '+';
    long tss = 0;
    std::vector<std::string> sigmas;
    std::string sequence; // upper case; empty when absent
    std::string confidence;
};

// Index of the transcription start within KnownPromoter::sequence.
inline constexpr int kTssIndex = 60;
inline constexpr int kSequenceLength = 81;

std::vector<KnownPromoter> readPromoterSet(const std::string& path);

// Promoters recognised by `sigma` at one of the confidence levels, one per
// strand and start (the first listed), optionally only those whose start
// lies outside [skipFrom, skipTo].
std::vector<KnownPromoter> selectPromoters(const std::vector<KnownPromoter>& all, const std::string& sigma,
                                           const std::vector<std::string>& confidences, long skipFrom = 0,
                                           long skipTo = -1);

} // namespace meridan::ethrin::tools
