// Opening an input file for the readers.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace meridan::genome::detail {

// Opens path for reading; false when it cannot be opened or is a folder
// (which a stream would "open" and then read as empty).
inline bool openInput(const std::string& path, std::ifstream& in)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    in.open(path, std::ios::binary);
    return static_cast<bool>(in);
}

} // namespace meridan::genome::detail
