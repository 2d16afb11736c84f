#pragma once

#include <filesystem>
#include <fstream>

namespace meridan::genome::results::detail {

template <typename Result, typename Read>
Result readPath(const std::string& path, Read read)
{
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(path, ec))
        in.open(path, std::ios::binary);
    if (!in.is_open() || !in) {
        Result result;
        result.problems.push_back(cannotOpen(path));
        return result;
    }
    Result result = read(in, path);
    result.opened = true;
    return result;
}

} // namespace meridan::genome::results::detail
