#include "terminator/GenomeText.h"

#include "terminator/RunError.h"
#include "meridan/genome/SequenceRecords.h"
#include "meridan/genome/InputText.h"

#include <istream>
#include <iterator>

#include <algorithm>

namespace meridan::terminator {

namespace {

std::string firstSequence(genome::ReadResult<std::vector<genome::SequenceRecord>> records)
{
    if (!records)
        throw RunError(records.error);
    return records.value->empty() ? std::string() : std::move(records.value->front().sequence);
}

} // namespace

std::string parseGenomeText(std::istream& in)
{
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return firstSequence(genome::parseSequenceRecords(text, "FASTA input"));
}

std::optional<std::string> readGenomeText(const std::string& path)
{
    const auto text = genome::readInputText(path);
    if (!text)
        return std::nullopt;
    return firstSequence(genome::parseSequenceRecords(*text.value, path));
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
