#include "meridan/genome/EngineInputFiles.h"

#include "meridan/genome/AnnotationTables.h"
#include "meridan/genome/GenomeName.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace meridan::genome {

namespace {

bool writeWhole(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec)
        std::remove(temporary.c_str());
    return !ec;
}

} // namespace

ReadResult<EngineInputFiles> writeEngineInputFiles(const AnnotatedRecord& record, const std::string& folder)
{
    using Result = ReadResult<EngineInputFiles>;
    if (!isValidGenomeId(record.id))
        return Result::failure("record \"" + record.id + "\" cannot name a genome: an identifier is made of "
                                                         "letters, digits, '_', '.' and '-'");
    const std::string prefix = (std::filesystem::path(folder) / record.id).string();
    EngineInputFiles files{prefix + ".fna", prefix + ".ptt", record.rnas.empty() ? std::string() : prefix + ".rnt"};
    if (!writeWhole(files.fna, fastaText(record)))
        return Result::failure(cantOpenMessage(files.fna));
    if (!writeWhole(files.ptt, proteinTableText(record)))
        return Result::failure(cantOpenMessage(files.ptt));
    if (!files.rnt.empty() && !writeWhole(files.rnt, rnaTableText(record)))
        return Result::failure(cantOpenMessage(files.rnt));
    return Result::success(files);
}

} // namespace meridan::genome
