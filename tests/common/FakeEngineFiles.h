// The file helpers of the engine stand-ins the workbench tests load in place
// of the engine libraries: plain standard C++, so a stand-in needs nothing
// but the engine API.
#pragma once

#include <fstream>
#include <string>

namespace fake_engine {

// Whether `name` is one of the lines of `file` (no file: not listed).
[[maybe_unused]] inline bool listed(const char* file, const std::string& name)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line == name)
            return true;
    return false;
}

// The genome identifier of a test input path ".../NC_000001.ptt": the nine
// characters before the extension.
[[maybe_unused]] inline std::string genomeId(const std::string& path)
{
    return path.size() >= 13 ? path.substr(path.size() - 13, 9) : path;
}

[[maybe_unused]] inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace fake_engine
