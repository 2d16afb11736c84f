// Writing a group of result files so that either all of them are replaced
// with their full new content or none is touched.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::ethrin {

struct OutputFile {
    std::string path;
    std::string content;
};

// Writes the files as one set through the genome library (all of them
// replaced, or none). On failure the reason is written to `log` and false
// is returned.
bool writeAllOrNothing(const std::vector<OutputFile>& files, std::ostream& log);

} // namespace meridan::ethrin
