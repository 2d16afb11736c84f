// Splitting and number reading of the TU builder's readers: the genome
// library's rules, and the one helper of its own.
#pragma once

#include "meridan/genome/TextFields.h"

#include <string>
#include <vector>

namespace brintel {

// Cuts a line at every blank; empty pieces are dropped.
inline std::vector<std::string> splitTokens(std::string_view line) { return meridan::genome::splitBlanks(line); }

// Cuts a line at every tab; pieces may be empty.
inline std::vector<std::string> splitFields(std::string_view line) { return meridan::genome::splitTabs(line); }

// The element at `index`, or "-" when the list is too short.
const std::string& itemOr(const std::vector<std::string>& items, std::size_t index);

using meridan::genome::leadingInt;
using meridan::genome::readLine;
inline double decimalValue(std::string_view text) { return meridan::genome::leadingNumber(text); }
inline bool isBlank(std::string_view line) { return meridan::genome::isBlankLine(line); }

} // namespace brintel
