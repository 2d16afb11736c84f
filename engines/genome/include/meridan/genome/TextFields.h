// Splitting lines into fields and reading numbers from them: the one set of
// rules every reader of the project's text files follows. Nothing here
// depends on the process locale.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace meridan::genome {

// Blank, tab, carriage return, line feed, vertical tab and form feed.
bool isBlankChar(char c);

// True when the line holds nothing but blank characters.
bool isBlankLine(std::string_view line);

// line without its leading and trailing blank characters.
std::string_view trimmed(std::string_view line);

// Pieces of the line between blank characters, empty pieces dropped.
std::vector<std::string> splitBlanks(std::string_view line);
// The same pieces as views into line.
std::vector<std::string_view> blankPieces(std::string_view line);

// Pieces of the line between tab characters, empty pieces kept; a trailing
// carriage return is dropped first.
std::vector<std::string> splitTabs(std::string_view line);
// Pieces of the line between tab characters, empty pieces kept, as views
// into line (nothing dropped).
std::vector<std::string_view> tabPieces(std::string_view line);

// Pieces of the text between `separator` characters, empty pieces kept
// (a text ending in the separator ends in an empty piece; "" gives one).
std::vector<std::string> splitAt(std::string_view text, char separator);

// Reads one line and drops a trailing carriage return, so that files with
// CRLF line ends read like LF ones. False at the end of the input.
bool readLine(std::istream& in, std::string& line);

// Every number read from a table saturates at this magnitude: far beyond any
// genome coordinate, so that sums and differences of read values never
// overflow.
inline constexpr long long kNumberLimit = 1'000'000'000'000LL;

// The integer formed by the leading digits of text: leading blanks and tabs
// are skipped, an optional sign, then digits up to the first non-digit; no
// digits give 0. Saturates at +-kNumberLimit.
long long leadingInteger(std::string_view text);

// leadingInteger clamped to the range of int.
int leadingInt(std::string_view text);

// The whole text as an integer (optional sign, "+" only before a digit;
// nothing around it), or nothing when it is not one or is beyond
// +-kNumberLimit.
std::optional<long> parseInteger(std::string_view text);

// The whole text as a finite decimal number ("+" allowed before it; "nan"
// and infinities refused), or nothing.
std::optional<double> parseNumber(std::string_view text);

// The decimal number at the start of text (leading blanks and a plus sign
// allowed, "inf" and "nan" accepted); 0 for text that is not a number; a
// value beyond the double range gives an infinity, one too small 0.
double leadingNumber(std::string_view text);

// A number as the default stream notation writes it (6 significant digits),
// whatever the process's locale.
std::string defaultNotation(double value);

} // namespace meridan::genome
