#include "terminator/GenomeText.h"

#include "meridan/genome/Fasta.h"

#include <algorithm>

namespace meridan::terminator {

std::string parseGenomeText(std::istream& in)
{
    genome::FastaFile file = genome::parseFasta(in);
    return file.records.empty() ? std::string() : std::move(file.records.front().sequence);
}

std::optional<std::string> readGenomeText(const std::string& path)
{
    genome::ReadResult<genome::FastaFile> file = genome::readFasta(path);
    if (!file)
        return std::nullopt;
    return file.value->records.empty() ? std::string() : std::move(file.value->records.front().sequence);
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
