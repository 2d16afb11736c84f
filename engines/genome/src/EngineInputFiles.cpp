#include "meridan/genome/EngineInputFiles.h"

#include "meridan/genome/AnnotationTables.h"
#include "meridan/genome/GenomeName.h"
#include "meridan/genome/ResultFiles.h"

#include <filesystem>

namespace meridan::genome {

ReadResult<EngineInputFiles> writeEngineInputFiles(const AnnotatedRecord& record, const std::string& folder)
{
    using Result = ReadResult<EngineInputFiles>;
    if (!isValidGenomeId(record.id))
        return Result::failure("record \"" + record.id + "\" cannot name a genome: an identifier is made of "
                                                         "letters, digits, '_', '.' and '-'");
    const std::string prefix = (std::filesystem::path(folder) / record.id).string();
    EngineInputFiles files{prefix + ".fna", prefix + ".ptt", record.rnas.empty() ? std::string() : prefix + ".rnt"};
    ResultFiles set;
    set.add(files.fna, fastaText(record));
    set.add(files.ptt, proteinTableText(record));
    if (!files.rnt.empty())
        set.add(files.rnt, rnaTableText(record));
    if (!set.commit())
        return Result::failure(set.error());
    return Result::success(files);
}

} // namespace meridan::genome
