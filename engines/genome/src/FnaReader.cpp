#include "meridan/genome/FnaReader.h"

#include "OpenInput.h"

#include <fstream>
#include <istream>
#include <ostream>

namespace meridan::genome {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The first whitespace-delimited token of line.
std::string_view firstToken(std::string_view line)
{
    std::size_t begin = 0;
    while (begin < line.size() && isBlank(line[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    return line.substr(begin, end - begin);
}

} // namespace

GenomeSequence readGenomeSequence(std::istream& in, std::ostream* trace,
                                  const std::string& sourceName)
{
    std::string sequence;
    sequence.reserve(10'000'000);

    std::string line;
    long lineNumber = 0;
    if (std::getline(in, line)) {
        ++lineNumber;
        if (trace && (line.empty() || line[0] != '>'))
            *trace << sourceName << ":1: first line is not a '>' header; it was skipped\n";
    }
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view token = firstToken(line);
        if (token.empty())
            continue;
        if (token.front() == '>') {
            if (trace)
                *trace << sourceName << ":" << lineNumber
                       << ": a second record starts here; only the first record is read\n";
            break;
        }
        sequence.append(token);
    }

    GenomeSequence genome = makeGenomeSequence(std::move(sequence));
    if (trace)
        *trace << "genomeSize= " << genome.length << '\n';
    return genome;
}

ReadResult<GenomeSequence> readGenomeSequence(const std::string& path, std::ostream* trace)
{
    std::ifstream in;
    if (!detail::openInput(path, in))
        return ReadResult<GenomeSequence>::failure(cantOpenMessage(path));
    return ReadResult<GenomeSequence>::success(readGenomeSequence(in, trace, path));
}

} // namespace meridan::genome
