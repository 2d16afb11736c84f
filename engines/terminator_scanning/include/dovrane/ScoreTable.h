// The terminator score table: one fixed-width row per region that holds an
// element, in pair order.
#pragma once

#include "dovrane/Scanner.h"

#include <string>

namespace meridan::dovrane {

// start (5), stem (10), loop (10), tail (10) and ln(score) (20), right-aligned,
// then two tabs, the element's sequence, a tab, the label and a line break.
std::string formatScoreRow(const ScanHit& hit, const std::string& region, const std::string& label);

} // namespace meridan::dovrane
