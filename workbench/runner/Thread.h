// The worker thread of one prediction run: the operon, promoter, terminator or
// TU-list run, each loading its engine library from bin/ at the moment of
// the run and calling it on this thread. The main window (or meridan-predict)
// writes the inputs before start() and reads failures() after finished().
#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QVector>

namespace meridan {
struct EngineOutcome;
}

class Thread : public QThread {   // no signals or slots of its own
public:
    enum RunMode { OperonRun = 1, PromoterRun = 2, TerminatorRun = 3, TulistRun = 4 };

    // How long one engine of the last run took.
    struct EngineTime {
        QString engine;
        qint64 milliseconds = 0;   // wall time
    };

    Thread();

    void setMode(int mode);
    int mode() const;

    // Before an operon, promoter or terminator run; chooses the annotation file
    // (it may be written here). Ignored while the thread runs.
    void setPredictionInputs(const QString& fnaPath, const QString& pttPath, const QString& rntPath,
                             const QString& resultDir, const QString& genomeId);
    // Before a TU-list run; the same annotation choice. Ignored while the thread runs.
    void setTulistInputs(const QString& pttPath, const QString& rntPath, const QString& genetagPath,
                         const QString& promoterScorePath, const QString& terminatorScorePath,
                         const QString& tulistPath, const QString& genomeId);

    QString annotationPath() const;
    bool usesAnnotationFile() const;   // false when annotationPath() is the PTT file
    QString genomeId() const;
    QString resultDir() const;

    // The result file each run must leave: the gene tags, the promoter table,
    // the terminator table or the TU list.
    QString resultFilePath() const;

    // After finished(): empty when every stage of the last run worked and wrote
    // its result file; otherwise one user-readable line per failed stage,
    // naming the engine and why.
    QStringList failures() const;

    // After finished(): the time of each engine of the last run, in order
    // (the terminator run has two).
    QVector<EngineTime> engineTimes() const;

protected:
    void run() override;

private:
    struct FileStamp;
    bool refuseWhileRunning();
    void chooseAnnotation();
    void runOperon();
    void runPromoter();
    void runTerminator();
    void runTulist();
    void addFailure(const QString& line);
    void addEngineTime(const QString& engine, const meridan::EngineOutcome& outcome);
    // Records the engine's time and, when the call failed, a failure line
    // (with `detail` appended when given); returns whether the call worked.
    bool recordOutcome(const QString& engine, const QString& stage,
                       const meridan::EngineOutcome& outcome, const QString& detail = QString());
    // Records a failure when the file was not (re)written since `before`.
    void checkWritten(const QString& engine, const QString& stage, const QString& path,
                      const FileStamp& before);

    QString fnaPath_;
    QString pttPath_;
    QString rntPath_;
    QString annotationPath_;
    QString resultDir_;
    QString terminatorScorePath_;
    QString promoterScorePath_;
    QString tulistPath_;
    QString genetagPath_;
    QString genomeId_;
    int mode_ = 0;
    bool usesAnnotationFile_ = false;

    mutable QMutex reportLock_;
    QStringList failures_;
    QVector<EngineTime> engineTimes_;
};
