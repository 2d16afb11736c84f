#include "meridan/export/GenomeFile.h"

#include "meridan/genome/FnaReader.h"
#include "meridan/genome/RecordTable.h"
#include "meridan/genome/SequenceName.h"

namespace meridan::exports {

GenomeLoad loadGenomeText(const std::string& fastaPath, const std::string& genomeId, const std::string& seqid)
{
    GenomeLoad load;
    auto read = meridan::genome::readGenomeSequence(fastaPath);
    if (!read) {
        load.error = read.error;
        return load;
    }
    load.genome.sequence = std::move(read.value->sequence);
    if (load.genome.sequence.empty()) {
        load.error = fastaPath + ": the file holds no sequence";
        return load;
    }
    load.genome.length = static_cast<long>(load.genome.sequence.size());
    auto records = meridan::genome::readRecordTableBeside(fastaPath);
    if (!records) {
        load.error = records.error;
        return load;
    }
    load.genome.records = std::move(*records.value);
    load.genome.seqid = seqid;
    if (load.genome.seqid.empty())
        load.genome.seqid = meridan::genome::sequenceName(meridan::genome::fastaHeaderLine(fastaPath));
    if (load.genome.seqid.empty())
        load.genome.seqid = genomeId;
    return load;
}

} // namespace meridan::exports
