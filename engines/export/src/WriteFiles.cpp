#include "meridan/export/ExportSet.h"

#include "meridan/genome/ResultFiles.h"

namespace meridan::exports {

bool writeFiles(const std::vector<ExportFile>& files, std::string& error)
{
    genome::ResultFiles set;
    for (const ExportFile& file : files)
        set.add(file.name, file.content);
    if (set.commit())
        return true;
    error = set.error();
    return false;
}

} // namespace meridan::exports
