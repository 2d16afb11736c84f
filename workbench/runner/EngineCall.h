// One engine run: load the engine library from bin/ of the program folder by path at the moment
// of the run, resolve its single export mainfun, call it on the calling thread
// and tell how it went. The library stays loaded afterwards.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace meridan {

class PromoterArguments;

// Diagnostic lines written while loading and resolving one engine.
struct EngineMessages {
    const char* loadOk;
    const char* loadFailed;
    const char* resolveOk;
    const char* resolveFailed;
};

struct EngineOutcome {
    enum Status { Succeeded, LoadFailed, ResolveFailed, ReturnedFailure, Threw };
    Status status = Succeeded;
    QString libraryPath;
    QString detail;           // the loader's error text, when it failed
    qint64 milliseconds = 0;  // wall time of the whole step
    bool ok() const { return status == Succeeded; }
};

// bin/<name>.so of the program folder (see ProgramFolder.h)
QString engineLibraryPath(const QString& name);

// A path in the file system's own 8-bit encoding, as the engines expect it.
QByteArray engineString(const QString& text);

// Calls int mainfun(const char*...) of bin/<name>.so with 3 or 6 string
// arguments. An engine returning 0 has failed.
EngineOutcome callEngine(const QString& name, const EngineMessages& messages,
                         const QList<QByteArray>& arguments);

// Calls the promoter library's void mainfun with its 15 arguments.
EngineOutcome callPromoterEngine(const QString& name, const EngineMessages& messages,
                                 const PromoterArguments& arguments);

// "Galvora (operon): <why>" for a failed outcome.
QString describeFailure(const QString& engine, const QString& stage, const EngineOutcome& outcome);

} // namespace meridan
