// How far a prediction run has come: each of the three predictions' share
// done (0 to 1) and what it is doing in the user's words ("operons 40 %",
// "terminators: learning the hairpin model"), not the engines' names and
// step counters. The progress bar runs from 0 to 900 over the three
// predictions and never moves back; the TU list then ends the run.
#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QString>

class PredictionProgress {
    Q_DECLARE_TR_FUNCTIONS(PredictionProgress)
public:
    // Starts following the three predictions (Thread::RunMode values).
    void start();
    void clear();
    // One engine's progress in the run of `mode`; false when that run is not
    // followed (no prediction running, or the TU list).
    bool update(int mode, const QString& engine, qint64 done, qint64 total);
    // The run of `mode` has ended; false when it is not followed.
    bool finish(int mode);

    int barValue() const;         // 0 to 900
    QString statusText() const;   // "Predicting" or "Predicting: operons 40 %; …"

private:
    QString words(int mode, const QString& engine, double share) const;

    QMap<int, double> share_;
    QMap<int, QString> stage_;
};
