#pragma once

#include <filesystem>
#include <fstream>
#include <utility>

namespace meridan::genome::results::detail {

template <typename Read>
auto readPath(const std::string& path, Read read)
{
    using Result = decltype(read(std::declval<std::istream&>(), path));
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
