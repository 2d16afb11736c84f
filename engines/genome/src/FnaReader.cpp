#include "meridan/genome/FnaReader.h"

#include "OpenInput.h"
#include "meridan/genome/SequenceRecords.h"

#include <istream>
#include <iterator>
#include <ostream>

namespace meridan::genome {

GenomeSequence readGenomeSequence(std::istream& in, std::ostream* trace,
                                  const std::string& sourceName)
{
    const std::string text(std::istreambuf_iterator<char>(in), {});
    auto records = parseSequenceRecords(text, sourceName);
    std::string sequence;
    if (!records) {
        if (trace)
            *trace << records.error << '\n';
    } else if (!records.value->empty()) {
        if (trace && records.value->size() > 1)
            *trace << sourceName << ":" << (*records.value)[1].headerLine
                   << ": a second record starts here; only the first record is read\n";
        sequence = std::move(records.value->front().sequence);
    }
    GenomeSequence genome = makeGenomeSequence(std::move(sequence));
    if (trace)
        *trace << "genomeSize= " << genome.length << '\n';
    return genome;
}

ReadResult<GenomeSequence> readGenomeSequence(const std::string& path, std::ostream* trace)
{
    return detail::readOpened(path, [&](std::istream& in) { return readGenomeSequence(in, trace, path); });
}

} // namespace meridan::genome
