#include "terminator/RunError.h"

#include "meridan/genome/GenomeId.h"
#include "meridan/genome/ReadResult.h"

namespace meridan::terminator {

std::string cantOpenMessage(const std::string& path)
{
    return genome::cantOpenMessage(path);
}

std::string genomeIdOrFail(const std::string& path, const std::string& extension)
{
    const std::optional<std::string> id = genome::genomeIdFromPath(path);
    if (!id)
        throw RunError("Can't take the genome identifier from " + path + " ! (expected a path ending in <9-character id>"
                       + extension + ")");
    return *id;
}

} // namespace meridan::terminator
