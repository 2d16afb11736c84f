#include "EngineCall.h"

#include "ProgramFolder.h"
#include "meridan/engine/EngineApi.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>

#include <exception>

namespace meridan {

namespace {

// The context's user pointer: forwards to the listener and keeps the
// engine's reason for a failure.
struct Relay {
    EngineListener* listener = nullptr;
    QString lastError;

    static void line(void* user, int level, const char* text)
    {
        auto* relay = static_cast<Relay*>(user);
        const QString line = QString::fromLocal8Bit(text);
        if (level == MERIDAN_LOG_ERROR)
            relay->lastError = line;
        if (relay->listener)
            relay->listener->onEngineLine(level, line);
    }
    static void progress(void* user, const char* stage, long long done, long long total)
    {
        auto* relay = static_cast<Relay*>(user);
        if (relay->listener)
            relay->listener->onEngineProgress(QString::fromUtf8(stage), done, total);
    }
};

} // namespace

QString engineLibraryPath(const QString& name)
{
    return programPath(QStringLiteral("bin/") + name + QStringLiteral(".so"));
}

QByteArray engineString(const QString& text)
{
    return QFile::encodeName(text);
}

EngineOutcome callEngine(const EngineRequest& request, const EngineMessages& messages)
{
    QElapsedTimer clock;
    clock.start();
    EngineOutcome outcome;
    outcome.libraryPath = engineLibraryPath(request.name);
    // Loaded by absolute path: the loader keeps libraries by the name they were
    // opened with, and a relative path must mean the bin/ of the current folder.
    QLibrary library(QDir::current().absoluteFilePath(outcome.libraryPath));
    if (!library.load()) {
        qDebug() << messages.loadFailed;
        outcome.status = EngineOutcome::LoadFailed;
        outcome.detail = library.errorString();
    } else if (const auto entry = reinterpret_cast<MeridanEngineRun>(library.resolve(MERIDAN_ENGINE_RUN_SYMBOL));
               !entry) {
        qDebug() << messages.resolveFailed;
        outcome.status = EngineOutcome::ResolveFailed;
    } else {
        qDebug() << messages.loadOk;
        qDebug() << messages.resolveOk;
        QList<const char*> argv;
        for (const QByteArray& argument : request.arguments)
            argv << argument.constData();
        Relay relay{request.listener, QString()};
        const MeridanEngineContext context{MERIDAN_ENGINE_API_VERSION, request.outputFolder.constData(),
                                           &Relay::line, &Relay::progress, &relay, request.cancel};
        try {
            switch (entry(&context, int(argv.size()), argv.constData())) {
            case MERIDAN_RUN_OK:
                break;
            case MERIDAN_RUN_CANCELLED:
                outcome.status = EngineOutcome::Cancelled;
                break;
            default:
                outcome.status = EngineOutcome::ReturnedFailure;
                outcome.detail = relay.lastError;
                break;
            }
        } catch (const std::exception& e) {
            outcome.status = EngineOutcome::Threw;
            outcome.detail = QString::fromLocal8Bit(e.what());
        } catch (...) {
            outcome.status = EngineOutcome::Threw;
        }
    }
    outcome.milliseconds = clock.elapsed();
    return outcome;
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
        return head + QStringLiteral("the library %1 has no function %2")
                          .arg(outcome.libraryPath, QStringLiteral(MERIDAN_ENGINE_RUN_SYMBOL));
    case EngineOutcome::ReturnedFailure:
        return head + (outcome.detail.isEmpty() ? QStringLiteral("the engine reported a failure")
                                                : QStringLiteral("the engine reported a failure: ")
                                                      + outcome.detail);
    case EngineOutcome::Threw:
        return head + QStringLiteral("the engine stopped with an exception %1").arg(outcome.detail).trimmed();
    case EngineOutcome::Cancelled:
        return head + QStringLiteral("cancelled; no result file written");
    }
    return head;
}

} // namespace meridan
