// Splitting text into whitespace-delimited fields: the genome library's rules.
#pragma once

#include "meridan/genome/TextFields.h"

namespace meridan::terminator {

using genome::splitBlanks;
inline bool isBlank(char c) { return genome::isBlankChar(c); }

} // namespace meridan::terminator
