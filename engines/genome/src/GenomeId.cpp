#include "meridan/genome/GenomeId.h"

#include "meridan/genome/GenomeName.h"

namespace meridan::genome {

std::optional<std::string> genomeIdFromPath(const std::string& path)
{
    return genomeIdFromFileName(path);
}

std::string genomeFileNameProblem(const std::string& path)
{
    return genomeIdProblem(path);
}

} // namespace meridan::genome
