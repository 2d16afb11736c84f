#include "terminator/GenomeText.h"

#include "TextLines.h"
#include "meridan/genome/GenomeName.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <iterator>

namespace meridan::terminator {

std::optional<std::string> genomeIdFromPath(const std::string& path)
{
    return genome::genomeIdFromFileName(path);
}

std::string parseGenomeText(std::istream& in)
{
    std::string header;
    std::getline(in, header);
    std::string genome;
    genome.reserve(10'000'000);
    // All tokens of the remaining text, concatenated: every non-blank character.
    std::istreambuf_iterator<char> it(in);
    const std::istreambuf_iterator<char> end;
    for (; it != end; ++it) {
        if (!isBlank(*it))
            genome.push_back(*it);
    }
    return genome;
}

std::optional<std::string> readGenomeText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return parseGenomeText(in);
}

std::string clippedWindow(const std::string& genome, long long start, long long length)
{
    const long long size = static_cast<long long>(genome.size());
    const long long from = std::clamp(start, 0LL, size);
    const long long to = std::clamp(start + std::max(length, 0LL), 0LL, size);
    if (to <= from)
        return {};
    return genome.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

} // namespace meridan::terminator
