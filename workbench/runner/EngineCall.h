// One engine run: load the engine library from bin/ of the program folder by path at the moment
// of the run, resolve its versioned entry point, call it on the calling thread
// with an output folder and a context, and tell how it went. The library stays
// loaded afterwards.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace meridan {

// Diagnostic lines written while loading and resolving one engine.
struct EngineMessages {
    const char* loadOk;
    const char* loadFailed;
    const char* resolveOk;
    const char* resolveFailed;
};

// Receives what a running engine reports, on the thread that called it.
class EngineListener {
public:
    virtual ~EngineListener() = default;
    // One line of the engine; level is a MeridanLogLevel.
    virtual void onEngineLine(int level, const QString& line) = 0;
    // Done `done` of `total` steps (0: unknown) of the engine's `stage`.
    virtual void onEngineProgress(const QString& stage, qint64 done, qint64 total) = 0;
};

struct EngineOutcome {
    enum Status { Succeeded, LoadFailed, ResolveFailed, ReturnedFailure, Threw, Cancelled };
    Status status = Succeeded;
    QString libraryPath;
    QString detail;           // the loader's error text, or the engine's reason, when it failed
    qint64 milliseconds = 0;  // wall time of the whole step
    bool ok() const { return status == Succeeded; }
};

// One call of an engine's entry point.
struct EngineRequest {
    QString name;                // Galvora, Castrel, Dovrane, Brintel or Ethrin
    QByteArray outputFolder;     // every file of the run goes there
    QList<QByteArray> arguments; // as the engine's entry point lists them
    EngineListener* listener = nullptr;
    const int* cancel = nullptr; // nonzero: the engine stops between steps
};

// bin/<name>.so of the program folder (see ProgramFolder.h)
QString engineLibraryPath(const QString& name);

// A path in the file system's own 8-bit encoding, as the engines expect it.
QByteArray engineString(const QString& text);

// Calls meridan_engine_run_v1 of bin/<name>.so.
EngineOutcome callEngine(const EngineRequest& request, const EngineMessages& messages);

// "Galvora (operon): <why>" for a failed outcome.
QString describeFailure(const QString& engine, const QString& stage, const EngineOutcome& outcome);

} // namespace meridan
