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

// Writes every file to "<path>.part" first; only when all are complete are
// they renamed to their names. On failure the ".part" files are removed,
// the reason is written to `log`, and false is returned.
bool writeAllOrNothing(const std::vector<OutputFile>& files, std::ostream& log);

} // namespace meridan::ethrin
