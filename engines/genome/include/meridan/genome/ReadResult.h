// The outcome of reading an input file: the value, or the message to show
// when the file could not be read.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace meridan::genome {

template <typename T> struct ReadResult {
    std::optional<T> value;
    std::string error; // set when value is empty

    static ReadResult success(T v) { return ReadResult{std::move(v), {}}; }
    static ReadResult failure(std::string message)
    {
        return ReadResult{std::nullopt, std::move(message)};
    }
    explicit operator bool() const { return value.has_value(); }
};

// "Can't open file <path> !" — the message every engine writes for an
// input or output file it cannot open.
inline std::string cantOpenMessage(const std::string& path)
{
    return "Can't open file " + path + " !";
}

} // namespace meridan::genome
