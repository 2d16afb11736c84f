#include "meridan/genome/FnaReader.h"

#include "OpenInput.h"
#include "meridan/genome/Fasta.h"

#include <fstream>
#include <ostream>

namespace meridan::genome {

GenomeSequence readGenomeSequence(std::istream& in, std::ostream* trace,
                                  const std::string& sourceName)
{
    FastaFile file = parseFasta(in);
    std::string sequence;
    if (!file.records.empty()) {
        if (trace && file.records.front().headerLine == 0)
            *trace << sourceName << ":1: the file does not start with a '>' header line\n";
        if (trace && file.records.size() > 1)
            *trace << sourceName << ":" << file.records[1].headerLine
                   << ": a second record starts here; only the first record is read\n";
        sequence = std::move(file.records.front().sequence);
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
