// The one error type of the promoter scanner: bad or missing input. Its text
// names the file (and line, where there is one) and is shown as it is.
#pragma once

#include "meridan/genome/ReadResult.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace meridan::ethrin {

class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file at path opened for reading, or InputError "Can't open file <path> !".
inline std::ifstream openInputFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError(genome::cantOpenMessage(path));
    return in;
}

} // namespace meridan::ethrin
