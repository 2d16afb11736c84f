// Small text helpers shared by the file readers of the promoter scanner.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace meridan::ethrin {

// Pieces of the line between blanks and tabs (and a trailing carriage
// return), empty pieces dropped.
std::vector<std::string_view> splitWords(std::string_view line);

// Pieces of the line between tab characters, empty pieces kept; a trailing
// carriage return is dropped first.
std::vector<std::string_view> splitTabs(std::string_view line);

// The whole text as a number, or nothing when it is not one (surrounding
// blanks are not allowed; "nan" and infinities are refused).
std::optional<double> toDouble(std::string_view text);
std::optional<long> toLong(std::string_view text);

} // namespace meridan::ethrin
