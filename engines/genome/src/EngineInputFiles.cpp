#include "meridan/genome/EngineInputFiles.h"

#include "meridan/genome/AnnotationTables.h"
#include "meridan/genome/GenomeName.h"
#include "meridan/genome/ResultFiles.h"

#include <filesystem>

namespace meridan::genome {

namespace {

using Result = ReadResult<EngineInputFiles>;

Result writeFiles(const AnnotatedRecord& record, const std::string& folder, const RecordTable& table)
{
    if (!isValidGenomeId(record.id))
        return Result::failure("record \"" + record.id + "\" cannot name a genome: an identifier is made of "
                                                         "letters, digits, '_', '.' and '-'");
    const std::string prefix = (std::filesystem::path(folder) / record.id).string();
    EngineInputFiles files{prefix + ".fna", prefix + ".ptt", record.rnas.empty() ? std::string() : prefix + ".rnt",
                           table.joined() ? recordTablePath(folder, record.id) : std::string()};
    ResultFiles set;
    set.add(files.fna, fastaText(record));
    set.add(files.ptt, proteinTableText(record));
    if (!files.rnt.empty())
        set.add(files.rnt, rnaTableText(record));
    if (!files.records.empty())
        set.add(files.records, recordTableText(table));
    if (!set.commit())
        return Result::failure(set.error());
    if (files.records.empty()) {
        // The engines would otherwise cut this genome at an earlier run's record ends.
        std::error_code ignored;
        std::filesystem::remove(recordTablePath(folder, record.id), ignored);
    }
    return Result::success(files);
}

void moveGenes(const AnnotatedRecord& from, std::int64_t shift, std::vector<AnnotatedGene> AnnotatedRecord::*genes,
               AnnotatedRecord& into, std::vector<std::string>& notes)
{
    for (AnnotatedGene gene : from.*genes) {
        if (gene.spansOrigin()) {
            notes.push_back("record " + from.id + ": " + gene.type + " " + gene.synonym + " runs across the origin; "
                            "left out of the joined genome");
            continue;
        }
        gene.start += shift;
        gene.end += shift;
        for (LocationPart& part : gene.parts) {
            part.start += shift;
            part.end += shift;
        }
        (into.*genes).push_back(std::move(gene));
    }
}

} // namespace

ReadResult<EngineInputFiles> writeEngineInputFiles(const AnnotatedRecord& record, const std::string& folder)
{
    return writeFiles(record, folder, {});
}

JoinedRecords joinRecords(const std::string& genomeId, const std::vector<const AnnotatedRecord*>& records)
{
    JoinedRecords joined;
    AnnotatedRecord& genome = joined.genome;
    genome.id = genomeId;
    if (!records.empty())
        genome.description = records.front()->description + " (" + std::to_string(records.size()) + " records)";
    for (const AnnotatedRecord* record : records) {
        if (!genome.sequence.empty())
            genome.sequence.append(static_cast<std::size_t>(kRecordSpacer), 'N');
        const std::int64_t start = static_cast<std::int64_t>(genome.sequence.size()) + 1;
        joined.table.records.push_back({record->id, start, static_cast<std::int64_t>(record->sequence.size())});
        genome.sequence += record->sequence;
        moveGenes(*record, start - 1, &AnnotatedRecord::proteins, genome, joined.notes);
        moveGenes(*record, start - 1, &AnnotatedRecord::rnas, genome, joined.notes);
        genome.pseudogenes += record->pseudogenes;
        genome.pseudoCds += record->pseudoCds;
    }
    // N's after the last record too: a scan running past the sequence's end
    // and on at its start (the circular wrap) joins no two records.
    if (records.size() > 1)
        genome.sequence.append(static_cast<std::size_t>(kRecordSpacer), 'N');
    return joined;
}

ReadResult<EngineInputFiles> writeGenomeInputFiles(const std::string& genomeId,
                                                   const std::vector<const AnnotatedRecord*>& records,
                                                   const std::string& folder, std::vector<std::string>* notes)
{
    if (records.size() == 1) {
        AnnotatedRecord record = *records.front();
        record.id = genomeId;
        return writeFiles(record, folder, {});
    }
    JoinedRecords joined = joinRecords(genomeId, records);
    if (notes)
        notes->insert(notes->end(), joined.notes.begin(), joined.notes.end());
    return writeFiles(joined.genome, folder, joined.table);
}

} // namespace meridan::genome
