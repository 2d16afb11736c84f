#include "GenomeId.h"

#include "meridan/genome/GenomeId.h"

namespace meridan {

QString genomeIdFromPath(const QString& path)
{
    // Shorter paths give what is there, as the file-name check reports them.
    const std::string bytes = path.toStdString();
    if (const auto id = genome::genomeIdFromPath(bytes))
        return QString::fromStdString(*id);
    return path.right(13).left(9);
}

QString genomeFileNameProblem(const QString& path)
{
    return QString::fromStdString(genome::genomeFileNameProblem(path.toStdString()));
}

} // namespace meridan
