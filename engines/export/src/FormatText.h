// Number and cell text of the export files.
#pragma once

#include <string>

namespace meridan::exports {

// A number as a C++ stream writes it by default (6 significant digits),
// whatever the process locale.
std::string formatNumber(double value);

// Text for one tab-separated cell or BED name: tabs, line breaks and other
// control characters become blanks (BED names: underscores, no blanks).
std::string cellText(const std::string& text);
std::string bedName(const std::string& text);

} // namespace meridan::exports
