#include "GenomeId.h"

#include "meridan/genome/GenomeId.h"
#include "meridan/genome/results/ResultPaths.h"

#include <QFile>

namespace meridan {

QString genomeIdFromPath(const QString& path)
{
    const auto id = genome::genomeIdFromPath(QFile::encodeName(path).toStdString());
    return id ? QString::fromStdString(*id) : QString();
}

QString annotationFilePath(const QString& genomeId)
{
    return QFile::decodeName(
        genome::results::annotationTablePath("./annotation", QFile::encodeName(genomeId).toStdString()).c_str());
}

QString genomeFileNameProblem(const QString& path)
{
    return QString::fromStdString(genome::genomeFileNameProblem(QFile::encodeName(path).toStdString()));
}

} // namespace meridan
