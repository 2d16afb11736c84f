// The worker thread of one prediction run: the operon, promoter, terminator or
// TU-list run, each loading its engine library from bin/ at the moment of
// the run and calling its versioned entry point on this thread. The main
// window (or meridan-predict) writes the inputs before start(), follows the
// run through the signals progressed() and engineLine(), may stop it with
// requestCancel(), and reads failures() after finished().
#pragma once

#include "EngineCall.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QVector>

namespace meridan {
struct EngineOutcome;
}

class Thread : public QThread, private meridan::EngineListener {
    Q_OBJECT
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
    // Before a TU-list run; the same annotation choice. The folder of
    // tulistPath becomes the result folder (the summary and the gene index
    // file go there). Ignored while the thread runs.
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

    // After finished(): whether the last run stopped on requestCancel().
    bool wasCancelled() const;

public slots:
    // Asks the running engine to stop at its next step; callable from any
    // thread, does nothing when no run is active. A cancelled engine writes
    // no result file, the later engines of the run do not start, and
    // failures() then holds one line ending in "cancelled; no result file
    // written". finished() follows as after any run.
    void requestCancel();

signals:
    // Emitted from the worker thread while an engine runs (connect with the
    // default, queued connection): `engine` is in `stage` and has done
    // `done` of `total` steps (total 0: unknown). Within one stage of one
    // engine, done never decreases.
    void progressed(const QString& engine, const QString& stage, qint64 done, qint64 total);
    // One line of the running engine (level: MeridanLogLevel, 0 trace,
    // 1 warning, 2 error).
    void engineLine(const QString& engine, int level, const QString& line);

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
    void onEngineLine(int level, const QString& line) override;
    void onEngineProgress(const QString& stage, qint64 done, qint64 total) override;
    // Calls one engine with the result folder as its output folder.
    meridan::EngineOutcome call(const QString& engine, const meridan::EngineMessages& messages,
                                const QList<QByteArray>& arguments);
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
    QString runningEngine_;   // used on the worker thread only
    int cancel_ = 0;          // read by the engines; set and cleared atomically
    bool cancelled_ = false;

    mutable QMutex reportLock_;
    QStringList failures_;
    QVector<EngineTime> engineTimes_;
};
