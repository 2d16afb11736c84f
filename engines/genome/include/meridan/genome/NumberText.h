// Lenient decimal parsing for table columns.
#pragma once

#include <cstdint>
#include <string_view>

namespace meridan::genome {

// The decimal integer formed by the leading digits of text: an optional
// sign, then digits up to the first non-digit; no digits give 0. Values
// beyond the 32-bit range saturate at its limits.
std::int32_t parseLeadingInt(std::string_view text);

} // namespace meridan::genome
