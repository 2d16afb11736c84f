// The failure that ends one run of a terminator engine. Its text is the line
// the engine writes to standard output before it returns 0 to the caller.
#pragma once

#include <stdexcept>
#include <string>

namespace meridan::terminator {

class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Can't open file <path> !" — the engines' message for an unopenable file.
std::string cantOpenMessage(const std::string& path);

} // namespace meridan::terminator
