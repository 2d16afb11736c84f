// The worker thread of one prediction stage: the operon, promoter, terminator
// or TU-list run of the prediction pipeline (meridan/pipeline), moved onto a
// QThread, its engines' lines and progress turned into signals. The main
// window writes the inputs before start(), follows the run through the
// signals progressed() and engineLine(), may stop it with requestCancel(),
// and reads failures() after finished().
#pragma once

#include "meridan/pipeline/AnnotationMerge.h"
#include "meridan/pipeline/Prediction.h"
#include "meridan/pipeline/PredictionReport.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QVector>

class Thread : public QThread {
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
    // The pipeline stage a run of this mode runs.
    meridan::pipeline::Stage stage() const;

    // Before an operon, promoter or terminator run; chooses the annotation file
    // (./annotation/<id>.ano, which may be written here). The operon engine
    // takes its seed from MERIDAN_SEED or the clock. Ignored while the thread
    // runs.
    void setPredictionInputs(const QString& fnaPath, const QString& pttPath, const QString& rntPath,
                             const QString& resultDir, const QString& genomeId);
    // Before a TU-list run; the same annotation choice. The TU builder reads
    // the gene tags, promoter and terminator tables of the genome in
    // resultDir and writes the TU list, the summary and the gene index file
    // there. Ignored while the thread runs.
    void setTulistInputs(const QString& pttPath, const QString& rntPath, const QString& resultDir,
                         const QString& genomeId);

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

    // After finished(): the pipeline's report of the last run (not ok, with
    // no failures, for a run that did not start).
    meridan::pipeline::StageReport lastReport() const;

    // After an operon run: the evidence step decides the operons of its gene
    // tags again, on the calling thread. Returns what it did or why it did
    // nothing; ok tells whether the gene tags were rewritten.
    QString refineOperons(bool& ok) const;

    // Other genomes for the evidence step's comparative evidence (a folder
    // or list of genomes, or a panel database); empty: none.
    void setPanel(const QString& panel) { panel_ = panel; }

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
    class Relay;
    meridan::pipeline::PredictionRequest request() const;
    bool refuseWhileRunning();
    void chooseAnnotation();

    QString fnaPath_;
    QString pttPath_;
    QString rntPath_;
    QString resultDir_;
    QString panel_;
    QString tulistPath_;
    QString genomeId_;
    int mode_ = 0;
    meridan::pipeline::AnnotationChoice annotation_{};
    meridan::pipeline::CancelSwitch cancel_;

    mutable QMutex reportLock_;
    meridan::pipeline::StageReport report_;   // of the last run, under reportLock_
};
