// Conversions between the engines' number texts and numbers: reading
// follows the genome library's rules.
#pragma once

#include "meridan/genome/TextFields.h"

#include <string>

namespace meridan::terminator {

using genome::defaultNotation;
using genome::leadingInteger;

// The whole token as a finite decimal number, or nothing when it is not one.
inline std::optional<double> parseFiniteNumber(const std::string& token)
{
    return genome::parseNumber(token);
}

} // namespace meridan::terminator
