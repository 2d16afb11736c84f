#include "ResultNames.h"

#include "meridan/genome/results/ResultPaths.h"

#include <QFile>

namespace meridan {

ResultNames resultNames(const QString& resultDir, const QString& genomeId)
{
    const auto paths = genome::results::resultPaths(QFile::encodeName(resultDir).toStdString(),
                                                    QFile::encodeName(genomeId).toStdString());
    const auto name = [](const std::string& path) { return QFile::decodeName(path.c_str()); };
    return {name(paths.geneTags),        name(paths.promoterTable), name(paths.sigmaScores[2]),
            name(paths.terminatorTable), name(paths.tuList),        name(paths.summary)};
}

} // namespace meridan
