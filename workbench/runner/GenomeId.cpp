#include "GenomeId.h"

#include "meridan/genome/GenomeName.h"

#include <QFile>

namespace meridan {

QString genomeIdFromPath(const QString& path)
{
    const auto id = genome::genomeIdFromFileName(QFile::encodeName(path).toStdString());
    return id ? QString::fromStdString(*id) : QString();
}

QString genomeFileNameProblem(const QString& path)
{
    return QString::fromStdString(genome::genomeIdProblem(QFile::encodeName(path).toStdString()));
}

} // namespace meridan
