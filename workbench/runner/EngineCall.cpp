#include "EngineCall.h"

#include "ProgramFolder.h"
#include "PromoterArguments.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>

#include <exception>
#include <functional>

namespace meridan {

namespace {

using Invoke = std::function<bool(QFunctionPointer)>;   // true: the engine reported success

EngineOutcome runLibrary(const QString& name, const EngineMessages& messages, const Invoke& invoke)
{
    QElapsedTimer clock;
    clock.start();
    EngineOutcome outcome;
    outcome.libraryPath = engineLibraryPath(name);
    // Loaded by absolute path: the loader keeps libraries by the name they were
    // opened with, and a relative path must mean the bin/ of the current folder.
    QLibrary library(QDir::current().absoluteFilePath(outcome.libraryPath));
    if (!library.load()) {
        qDebug() << messages.loadFailed;
        outcome.status = EngineOutcome::LoadFailed;
        outcome.detail = library.errorString();
    } else {
        qDebug() << messages.loadOk;
        const QFunctionPointer entry = library.resolve("mainfun");
        if (!entry) {
            qDebug() << messages.resolveFailed;
            outcome.status = EngineOutcome::ResolveFailed;
        } else {
            qDebug() << messages.resolveOk;
            try {
                if (!invoke(entry))
                    outcome.status = EngineOutcome::ReturnedFailure;
            } catch (const std::exception& e) {
                outcome.status = EngineOutcome::Threw;
                outcome.detail = QString::fromLocal8Bit(e.what());
            } catch (...) {
                outcome.status = EngineOutcome::Threw;
            }
        }
    }
    outcome.milliseconds = clock.elapsed();
    return outcome;
}

} // namespace

QString engineLibraryPath(const QString& name)
{
    return programPath(QStringLiteral("bin/") + name + QStringLiteral(".so"));
}

QByteArray engineString(const QString& text)
{
    return QFile::encodeName(text);
}

EngineOutcome callEngine(const QString& name, const EngineMessages& messages,
                         const QList<QByteArray>& a)
{
    using Three = int (*)(const char*, const char*, const char*);
    using Six = int (*)(const char*, const char*, const char*, const char*, const char*, const char*);
    Q_ASSERT(a.size() == 3 || a.size() == 6);
    return runLibrary(name, messages, [&a](QFunctionPointer entry) {
        if (a.size() == 6)
            return reinterpret_cast<Six>(entry)(a[0].constData(), a[1].constData(), a[2].constData(),
                                                a[3].constData(), a[4].constData(), a[5].constData())
                   != 0;
        return reinterpret_cast<Three>(entry)(a[0].constData(), a[1].constData(), a[2].constData())
               != 0;
    });
}

EngineOutcome callPromoterEngine(const QString& name, const EngineMessages& messages,
                                 const PromoterArguments& p)
{
    using Fifteen = void (*)(const char*, const char*, const char*, const char*, const char*,
                             const char*, const char*, const char*, const char*, const char*,
                             const char*, const char*, int, int, int);
    return runLibrary(name, messages, [&p](QFunctionPointer entry) {
        reinterpret_cast<Fifteen>(entry)(p.text(0), p.text(1), p.text(2), p.text(3), p.text(4),
                                         p.text(5), p.text(6), p.text(7), p.text(8), p.text(9),
                                         p.text(10), p.text(11), p.number(12), p.number(13),
                                         p.number(14));
        return true;
    });
}

QString describeFailure(const QString& engine, const QString& stage, const EngineOutcome& outcome)
{
    const QString head = QStringLiteral("%1 (%2): ").arg(engine, stage);
    switch (outcome.status) {
    case EngineOutcome::Succeeded:
        return QString();
    case EngineOutcome::LoadFailed:
        return head + QStringLiteral("the library %1 could not be loaded (%2)")
                          .arg(outcome.libraryPath, outcome.detail);
    case EngineOutcome::ResolveFailed:
        return head + QStringLiteral("the library %1 has no function mainfun")
                          .arg(outcome.libraryPath);
    case EngineOutcome::ReturnedFailure:
        return head + QStringLiteral("the engine reported a failure (mainfun returned 0)");
    case EngineOutcome::Threw:
        return head + QStringLiteral("the engine stopped with an exception %1").arg(outcome.detail).trimmed();
    }
    return head;
}

} // namespace meridan
