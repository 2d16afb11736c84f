#include "Thread.h"

#include "ProgramFolder.h"

#include "meridan/genome/results/ResultPaths.h"
#include "meridan/pipeline/PredictionListener.h"
#include "meridan/pipeline/StageRunner.h"

#include <QDebug>
#include <QFile>
#include <QMutexLocker>

namespace {

std::string local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromLocal(const std::string& text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

// Turns what the pipeline tells about the running stage into the thread's
// signals (emitted on the worker thread).
class Thread::Relay : public meridan::pipeline::PredictionListener {
public:
    explicit Relay(Thread& thread) : thread_(thread) {}
    void engineLine(meridan::pipeline::Stage, const std::string& engine, int level, const std::string& line) override
    {
        emit thread_.engineLine(fromLocal(engine), level, fromLocal(line));
    }
    void engineProgress(meridan::pipeline::Stage, const std::string& engine, const std::string& step, long long done,
                        long long total) override
    {
        emit thread_.progressed(fromLocal(engine), QString::fromUtf8(step.c_str()), done, total);
    }

private:
    Thread& thread_;
};

Thread::Thread() = default;

void Thread::setMode(int mode)
{
    mode_ = mode;
}

int Thread::mode() const
{
    return mode_;
}

meridan::pipeline::Stage Thread::stage() const
{
    using meridan::pipeline::Stage;
    return mode_ == OperonRun       ? Stage::Operon
           : mode_ == PromoterRun   ? Stage::Promoter
           : mode_ == TerminatorRun ? Stage::Terminator
                                    : Stage::TuList;
}

meridan::pipeline::StageReport Thread::lastReport() const
{
    QMutexLocker lock(&reportLock_);
    return report_;
}

bool Thread::refuseWhileRunning()
{
    if (!isRunning())
        return false;
    // The worker reads these members during its run; changing them now would
    // race with it.
    qWarning() << "A run of this kind is still active; its inputs stay unchanged.";
    return true;
}

void Thread::chooseAnnotation()
{
    annotation_ = meridan::pipeline::chooseAnnotation(local(pttPath_), local(rntPath_), "./annotation", local(genomeId_));
    qDebug().noquote() << fromLocal(annotation_.note);
}

void Thread::setPredictionInputs(const QString& fnaPath, const QString& pttPath, const QString& rntPath,
                                 const QString& resultDir, const QString& genomeId)
{
    if (refuseWhileRunning())
        return;
    fnaPath_ = fnaPath;
    pttPath_ = pttPath;
    rntPath_ = rntPath;
    resultDir_ = resultDir;
    genomeId_ = genomeId;
    chooseAnnotation();
}

void Thread::setTulistInputs(const QString& pttPath, const QString& rntPath, const QString& resultDir,
                             const QString& genomeId)
{
    // The TU builder reads no sequence: the FNA stays as it was.
    setPredictionInputs(fnaPath_, pttPath, rntPath, resultDir, genomeId);
}

QString Thread::annotationPath() const
{
    return fromLocal(annotation_.path);
}

bool Thread::usesAnnotationFile() const
{
    return annotation_.usesAnnotationFile;
}

QString Thread::genomeId() const
{
    return genomeId_;
}

QString Thread::resultDir() const
{
    return resultDir_;
}

QString Thread::resultFilePath() const
{
    const auto paths = meridan::genome::results::resultPaths(local(resultDir_), local(genomeId_));
    switch (mode_) {
    case OperonRun:
        return fromLocal(paths.geneTags);
    case PromoterRun:
        return fromLocal(paths.promoterTable);
    case TerminatorRun:
        return fromLocal(paths.terminatorTable);
    case TulistRun:
        return fromLocal(paths.tuList);
    default:
        return QString();
    }
}

QStringList Thread::failures() const
{
    QMutexLocker lock(&reportLock_);
    QStringList failures;
    for (const std::string& failure : report_.failures)
        failures << fromLocal(failure);
    return failures;
}

QVector<Thread::EngineTime> Thread::engineTimes() const
{
    QMutexLocker lock(&reportLock_);
    QVector<EngineTime> times;
    for (const auto& time : report_.engineTimes)
        times.append({fromLocal(time.engine), time.milliseconds});
    return times;
}

bool Thread::wasCancelled() const
{
    QMutexLocker lock(&reportLock_);
    return report_.cancelled;
}

void Thread::requestCancel()
{
    // The running engine sees the switch; the run itself does not start the
    // next engine of its stage.
    requestInterruption();
    if (isRunning())
        cancel_.request();
}

meridan::pipeline::PredictionRequest Thread::request() const
{
    meridan::pipeline::PredictionRequest request;
    request.genome = {local(genomeId_), local(fnaPath_), local(pttPath_), local(rntPath_)};
    request.folders = {local(meridan::programFolder()), local(resultDir_), "./annotation"};
    request.options.seed.reset(); // MERIDAN_SEED or the clock, as the engine chooses
    if (!panel_.isEmpty())
        request.options.panel = local(panel_);
    return request;
}

QString Thread::refineOperons(bool& ok) const
{
    const meridan::pipeline::PredictionRequest inputs = request();
    meridan::pipeline::StageRunner runner(inputs, annotation_);
    const meridan::pipeline::StageReport report = runner.run(meridan::pipeline::Stage::OperonEvidence);
    ok = report.ok;
    QStringList notes;
    for (const std::string& note : report.notes)
        notes << fromLocal(note);
    return notes.join(QLatin1Char('\n'));
}

void Thread::run()
{
    {
        QMutexLocker lock(&reportLock_);
        report_ = {};
        report_.stage = stage();
    }
    // A run cancelled before it began, or of no known kind, does nothing.
    if (isInterruptionRequested() || mode_ < OperonRun || mode_ > TulistRun)
        return;
    const meridan::pipeline::PredictionRequest inputs = request();
    Relay relay(*this);
    meridan::pipeline::StageRunner runner(inputs, annotation_, &relay, &cancel_);
    const meridan::pipeline::StageReport report = runner.run(stage());
    {
        QMutexLocker lock(&reportLock_);
        report_ = report;
    }
    cancel_.clear();
}
