// Opening an input file for the readers.
#pragma once

#include "meridan/genome/InputText.h"
#include "meridan/genome/ReadResult.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <utility>

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

// What read(stream) makes of the file at path, or the "Can't open file"
// failure when it cannot be opened.
template <typename Read>
auto readOpened(const std::string& path, Read read) -> ReadResult<decltype(read(std::declval<std::istream&>()))>
{
    using Result = ReadResult<decltype(read(std::declval<std::istream&>()))>;
    std::ifstream in;
    if (!openInput(path, in))
        return Result::failure(cantOpenMessage(path));
    return Result::success(read(in));
}

// What parse(text, path) makes of the text of the file at path, or the
// failure of reading that text (see readInputText).
template <typename Parse>
auto parseInputFile(const std::string& path, Parse parse) -> decltype(parse(std::string_view(), path))
{
    auto text = readInputText(path);
    if (!text)
        return decltype(parse(std::string_view(), path))::failure(text.error);
    return parse(*text.value, path);
}

} // namespace meridan::genome::detail
