#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace meridan {

namespace {

QString locateProgramFolder()
{
    // /proc/self/exe names the executable itself, also when it was started
    // through a symbolic link (e.g. /usr/bin/meridan-predict).
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!executable.isEmpty()) {
        const QString folder = QFileInfo(executable).absolutePath();
        if (QFileInfo(QDir(folder).filePath(QStringLiteral("bin"))).isDir())
            return folder;
    }
    return QStringLiteral(".");
}

} // namespace

QString programFolder()
{
    static const QString folder = locateProgramFolder();
    return folder;
}

QString programPath(const QString& relative)
{
    return programFolder() + QLatin1Char('/') + relative;
}

} // namespace meridan
