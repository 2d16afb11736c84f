#include "Thread.h"

#include "AnnotationIntegration.h"
#include "EngineCall.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

Thread::Thread() = default;

void Thread::setMode(int mode)
{
    mode_ = mode;
}

int Thread::mode() const
{
    return mode_;
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
    const meridan::AnnotationChoice choice = meridan::selectAnnotation(pttPath_, rntPath_, genomeId_);
    annotationPath_ = choice.path;
    usesAnnotationFile_ = choice.usesAnnotationFile;
}

void Thread::setPredictionInputs(const QString& fnaPath, const QString& pttPath,
                                 const QString& rntPath, const QString& resultDir,
                                 const QString& genomeId)
{
    if (refuseWhileRunning())
        return;
    fnaPath_ = fnaPath;
    pttPath_ = pttPath;
    rntPath_ = rntPath;
    resultDir_ = resultDir;
    genomeId_ = genomeId;
    chooseAnnotation();
    qDebug() << resultDir_ << pttPath_;
}

void Thread::setTulistInputs(const QString& pttPath, const QString& rntPath,
                             const QString& genetagPath, const QString& promoterScorePath,
                             const QString& terminatorScorePath, const QString& tulistPath,
                             const QString& genomeId)
{
    if (refuseWhileRunning())
        return;
    pttPath_ = pttPath;
    rntPath_ = rntPath;
    genetagPath_ = genetagPath;
    promoterScorePath_ = promoterScorePath;
    terminatorScorePath_ = terminatorScorePath;
    tulistPath_ = tulistPath;
    // The gene index file and the summary go beside the TU list.
    resultDir_ = QFileInfo(tulistPath).path() + QLatin1Char('/');
    genomeId_ = genomeId;
    chooseAnnotation();
    qDebug() << resultDir_ << pttPath_;
}

QString Thread::annotationPath() const
{
    return annotationPath_;
}

bool Thread::usesAnnotationFile() const
{
    return usesAnnotationFile_;
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
    switch (mode_) {
    case OperonRun:
        return resultDir_ + genomeId_ + QStringLiteral("_genetag.txt");
    case PromoterRun:
        return resultDir_ + genomeId_ + QStringLiteral("_promoter_scores.txt");
    case TerminatorRun:
        return resultDir_ + genomeId_ + QStringLiteral("_terminator_score.txt");
    case TulistRun:
        return tulistPath_;
    default:
        return QString();
    }
}

QStringList Thread::failures() const
{
    QMutexLocker lock(&reportLock_);
    return failures_;
}

QVector<Thread::EngineTime> Thread::engineTimes() const
{
    QMutexLocker lock(&reportLock_);
    return engineTimes_;
}

bool Thread::wasCancelled() const
{
    QMutexLocker lock(&reportLock_);
    return cancelled_;
}

void Thread::requestCancel()
{
    // The running engine sees the flag; the run itself does not start the
    // next engine of its stage.
    requestInterruption();
    if (isRunning())
        __atomic_store_n(&cancel_, 1, __ATOMIC_RELEASE);
}

void Thread::onEngineLine(int level, const QString& line)
{
    emit engineLine(runningEngine_, level, line);
}

void Thread::onEngineProgress(const QString& stage, qint64 done, qint64 total)
{
    emit progressed(runningEngine_, stage, done, total);
}

meridan::EngineOutcome Thread::call(const QString& engine, const meridan::EngineMessages& messages,
                                    const QList<QByteArray>& arguments)
{
    runningEngine_ = engine;
    meridan::EngineRequest request;
    request.name = engine;
    request.outputFolder = meridan::engineString(resultDir_);
    request.arguments = arguments;
    request.listener = this;
    request.cancel = &cancel_;
    const meridan::EngineOutcome outcome = meridan::callEngine(request, messages);
    if (outcome.status == meridan::EngineOutcome::Cancelled) {
        QMutexLocker lock(&reportLock_);
        cancelled_ = true;
    }
    return outcome;
}

void Thread::addFailure(const QString& line)
{
    QMutexLocker lock(&reportLock_);
    failures_ << line;
}

void Thread::addEngineTime(const QString& engine, const meridan::EngineOutcome& outcome)
{
    QMutexLocker lock(&reportLock_);
    engineTimes_.append({engine, outcome.milliseconds});
}

bool Thread::recordOutcome(const QString& engine, const QString& stage,
                           const meridan::EngineOutcome& outcome, const QString& detail)
{
    addEngineTime(engine, outcome);
    if (outcome.ok())
        return true;
    QString line = meridan::describeFailure(engine, stage, outcome);
    if (!detail.isEmpty())
        line += QStringLiteral("; ") + detail;
    addFailure(line);
    return false;
}

void Thread::run()
{
    {
        QMutexLocker lock(&reportLock_);
        failures_.clear();
        engineTimes_.clear();
        cancelled_ = false;
    }
    // A run cancelled before it began does nothing.
    if (isInterruptionRequested())
        return;
    switch (mode_) {
    case OperonRun:
        runOperon();
        break;
    case PromoterRun:
        runPromoter();
        break;
    case TerminatorRun:
        runTerminator();
        break;
    case TulistRun:
        runTulist();
        break;
    default:
        break;
    }
    __atomic_store_n(&cancel_, 0, __ATOMIC_RELEASE);
}
