#include "meridan/ethrin/OutputFiles.h"

#include "meridan/genome/ResultFiles.h"

#include <ostream>

namespace meridan::ethrin {

bool writeAllOrNothing(const std::vector<OutputFile>& files, std::ostream& log)
{
    std::string error;
    if (genome::writeFileSet(files, &OutputFile::path, &OutputFile::content, error))
        return true;
    log << error << std::endl;
    return false;
}

} // namespace meridan::ethrin
