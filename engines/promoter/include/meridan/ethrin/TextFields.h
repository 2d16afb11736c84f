// The text helpers of the promoter scanner's file readers: the genome
// library's splitting and number rules.
#pragma once

#include "meridan/genome/TextFields.h"

namespace meridan::ethrin {

// Pieces of the line between blank characters, empty pieces dropped.
using genome::splitBlanks;
inline std::vector<std::string> splitWords(std::string_view line) { return genome::splitBlanks(line); }

// Pieces of the line between tab characters, empty pieces kept; a trailing
// carriage return is dropped first.
using genome::splitTabs;

// The whole text as a number, or nothing when it is not one (surrounding
// blanks are not allowed; "nan" and infinities are refused).
inline std::optional<double> toDouble(std::string_view text) { return genome::parseNumber(text); }
inline std::optional<long> toLong(std::string_view text) { return genome::parseInteger(text); }

} // namespace meridan::ethrin
