#include "Startup.h"

#include <QCoreApplication>
#include <QDir>

namespace meridan {

void enterProgramFolder()
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    QCoreApplication::addLibraryPath(QStringLiteral("./bin/"));
}

} // namespace meridan
