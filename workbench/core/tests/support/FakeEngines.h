// Puts the stand-in engine libraries into the bin/ folder of a test's
// program folder, each under the engine name it should answer to.
#pragma once

#include "TestSupport.h"

#include <QMap>

namespace meridan::test {

// names maps an engine name ("Galvora") to the stand-in to use ("Galvora",
// or "NoEntry" for a library without mainfun). Engines not named get their
// own stand-in.
inline void installFakeEngines(const ProgramFolder& folder, const QMap<QString, QString>& replacements = {})
{
    for (const char* engine : {"Galvora", "Castrel", "Dovrane", "Ethrin", "Brintel"}) {
        const QString name = QString::fromLatin1(engine);
        const QString source =
            QStringLiteral(FAKE_ENGINE_DIR "/%1.so").arg(replacements.value(name, name));
        const QString target = folder.path(QStringLiteral("bin/%1.so").arg(name));
        QFile::remove(target);
        QVERIFY2(QFile::copy(source, target), qPrintable(source));
    }
}

inline int callCount(const QString& engine)
{
    int count = 0;
    for (const QByteArray& line : readText(QStringLiteral("calls.txt")).split('\n'))
        count += line == engine.toLatin1();
    return count;
}

} // namespace meridan::test
