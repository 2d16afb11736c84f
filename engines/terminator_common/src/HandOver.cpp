#include "terminator/HandOver.h"

#include "meridan/genome/GenomeId.h"
#include "meridan/genome/results/ResultPaths.h"

namespace meridan::terminator {

HandOverFiles handOverFiles(const std::string& outputPrefix, const std::string& geneTablePath)
{
    const std::string id = genome::genomeIdFromPath(geneTablePath).value_or("genome");
    const genome::results::ResultPaths paths = genome::results::resultPaths(outputPrefix, id);
    return {paths.terminatorPairs, paths.terminatorRunLog};
}

} // namespace meridan::terminator
