// Splitting and number reading shared by the TU builder's readers.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace brintel {

// Cuts a line at every blank and every tab; empty pieces are dropped.
std::vector<std::string> splitTokens(std::string_view line);

// Cuts a line at every tab; pieces may be empty.
std::vector<std::string> splitFields(std::string_view line);

// The element at `index`, or "-" when the list is too short.
const std::string& itemOr(const std::vector<std::string>& items, std::size_t index);

// The integer formed by an optional sign and the leading digits of `text`
// (leading blanks skipped); 0 when there are no digits. Values beyond the
// 32-bit range are clamped.
int leadingInt(std::string_view text);

// The decimal number at the start of `text` (leading blanks and a plus sign
// allowed, "inf" and "nan" accepted); 0 for text that is not a number.
// Independent of the process locale.
double decimalValue(std::string_view text);

// Reads one line; drops a trailing carriage return so files with CRLF line
// ends read like LF ones. Returns false at end of input.
bool readLine(std::istream& in, std::string& line);

// True when the line holds nothing but blanks and tabs.
bool isBlank(std::string_view line);

} // namespace brintel
