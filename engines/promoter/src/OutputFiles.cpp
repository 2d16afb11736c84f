#include "meridan/ethrin/OutputFiles.h"

#include "meridan/genome/ResultFiles.h"

#include <ostream>

namespace meridan::ethrin {

bool writeAllOrNothing(const std::vector<OutputFile>& files, std::ostream& log)
{
    genome::ResultFiles set;
    for (const OutputFile& f : files)
        set.add(f.path, f.content);
    if (set.commit())
        return true;
    log << set.error() << std::endl;
    return false;
}

} // namespace meridan::ethrin
