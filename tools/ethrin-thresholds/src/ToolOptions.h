// "--name value" options of the ethrin tools.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace meridan::ethrin::tools {

class ToolOptions {
public:
    // Throws std::runtime_error on a word that is not "--name" followed by a
    // value, or on a name outside `known`. A name may repeat when listed in
    // `repeatable`.
    ToolOptions(int argc, char** argv, const std::vector<std::string>& known,
                const std::vector<std::string>& repeatable = {});

    bool has(const std::string& name) const { return values_.count(name) != 0; }
    std::string text(const std::string& name) const; // throws when missing
    std::string text(const std::string& name, const std::string& fallback) const;
    std::vector<std::string> all(const std::string& name) const;
    double number(const std::string& name, double fallback) const;
    long whole(const std::string& name, long fallback) const;
    // "--name FROM-TO" as its two whole numbers, or the fallbacks when absent.
    std::pair<long, long> range(const std::string& name, long fallbackFrom, long fallbackTo) const;

private:
    std::multimap<std::string, std::string> values_;
};

std::vector<std::string> splitCommas(const std::string& text);

} // namespace meridan::ethrin::tools
