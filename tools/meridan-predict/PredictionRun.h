// One whole ATU prediction from the command line, as the workbench runs it:
// the operon, promoter and terminator runs at the same time on their worker
// threads, then the TU-list run, in the program folder.
#pragma once

#include <QString>
#include <QStringList>

class Console;

struct PredictionInputs {
    QString fnaPath;
    QString pttPath;
    QString rntPath;      // may be empty
    bool quiet = false;
    QStringList notes{};  // what the input check says about rows left out, once per file
};

// Checks the inputs (names, then contents with the genome library's input
// check) before any engine runs; empty when they can be used, else the
// message for the user. Fills inputs.notes.
QString checkInputs(PredictionInputs& inputs);

// Runs the prediction in programFolder (made the working folder). Returns the
// process exit status: 0 when every stage produced its result file.
int runPrediction(PredictionInputs inputs, const QString& programFolder, Console& console);
