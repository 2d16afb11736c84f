#include "meridan/export/ExportSet.h"

#include "meridan/genome/ResultFiles.h"

namespace meridan::exports {

bool writeFiles(const std::vector<ExportFile>& files, std::string& error)
{
    return genome::writeFileSet(files, &ExportFile::name, &ExportFile::content, error);
}

} // namespace meridan::exports
