// Writing the export files as one set.
#pragma once

#include "meridan/export/ExportSet.h"

#include <string>
#include <vector>

namespace meridan::exports {

// Writes every file (name = its path) so that either all of them hold their
// new content or none was changed; false with error set otherwise.
bool writeFileSet(const std::vector<ExportFile>& files, std::string& error);

} // namespace meridan::exports
