// Conversions between the engines' number texts and numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace meridan::terminator {

// The decimal integer formed by the leading digits of text (an optional sign
// allowed); parsing stops at the first non-digit and no digits give 0.
// Values too large for a genome coordinate are capped, never overflow.
long long leadingInteger(std::string_view text);

// The whole token as a finite decimal number, or nothing when it is not one.
std::optional<double> parseFiniteNumber(const std::string& token);

// A number in the default stream notation (6 significant digits).
std::string defaultNotation(double value);

} // namespace meridan::terminator
