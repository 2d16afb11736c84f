// The failure that ends one run of a terminator engine. Its text is the line
// the engine writes to standard output before it returns 0 to the caller.
#pragma once

#include <exception>
#include <ostream>
#include <stdexcept>
#include <string>

namespace meridan::terminator {

class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Can't open file <path> !" — the engines' message for an unopenable file.
std::string cantOpenMessage(const std::string& path);

// The genome identifier of a path ending in <id><extension>, or RunError
// naming the path and the expected ending.
std::string genomeIdOrFail(const std::string& path, const std::string& extension);

// run() with its failure written to out as one line, the RunError's text or
// "<engine> failed: <what>", and an empty (not ok) Result in its place.
template <typename Result, typename Run> Result reportingFailure(const char* engine, std::ostream& out, Run run)
{
    try {
        return run();
    } catch (const RunError& error) {
        out << error.what() << '\n';
    } catch (const std::exception& error) {
        out << engine << " failed: " << error.what() << '\n';
    }
    return {};
}

} // namespace meridan::terminator
