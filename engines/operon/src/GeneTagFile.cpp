#include "meridan/operon/GeneTagFile.h"

#include "meridan/genome/results/GeneTagFile.h"
#include "meridan/genome/results/ResultPaths.h"

#include <ostream>
#include <sstream>

namespace meridan::operon {

std::string geneTagPath(const std::string& outputDirectory, const std::string& genomeId)
{
    return genome::results::resultPaths(outputDirectory, genomeId).geneTags;
}

void writeGeneTags(std::ostream& out, const GeneTags& tags)
{
    for (std::size_t i = 0; i < tags.size(); ++i)
        genome::results::writeGeneTagLine(out, tags.operonNumber[i], tags.sdPosition[i], tags.taPosition[i],
                                          tags.terminatorPosition[i]);
}

std::string geneTagText(const GeneTags& tags)
{
    std::ostringstream out;
    writeGeneTags(out, tags);
    return out.str();
}

} // namespace meridan::operon
