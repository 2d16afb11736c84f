#include "GenomeId.h"

#include <QFileInfo>

namespace meridan {

QString genomeIdFromPath(const QString& path)
{
    return path.right(13).left(9);
}

QString genomeFileNameProblem(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    bool ok = name.size() >= 13 && name.at(name.size() - 4) == QLatin1Char('.');
    if (ok) {
        // Neither the identifier nor the extension may hold a further dot,
        // otherwise "NC_000913.3.fna" would yield "_000913.3".
        const QString id = genomeIdFromPath(name);
        ok = !id.contains(QLatin1Char('.')) && !id.trimmed().isEmpty()
             && !name.right(3).contains(QLatin1Char('.'));
    }
    if (ok)
        return QString();
    return QStringLiteral("\"%1\" does not end in a 9-character genome identifier and a 3-letter "
                          "extension; name the file like NC_000913.fna, NC_000913.ptt or "
                          "NC_000913.rnt, since the engines take the genome identifier from "
                          "the file name")
        .arg(name);
}

} // namespace meridan
