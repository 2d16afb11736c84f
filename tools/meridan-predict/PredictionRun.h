// One whole ATU prediction from the command line, as the workbench runs it:
// the operon, promoter and terminator runs at the same time on their worker
// threads, then the TU-list run, in the program folder.
#pragma once

#include <QString>

class Console;

struct PredictionInputs {
    QString fnaPath;
    QString pttPath;
    QString rntPath;      // may be empty
    bool evidenceOperons = false; // refine the operon engine's operons with the other engines' evidence
};

// Checks the inputs; empty when they can be used, else the message for the user.
QString checkInputs(const PredictionInputs& inputs);

// Runs the prediction in programFolder (made the working folder). Returns the
// process exit status: 0 when every stage produced its result file.
int runPrediction(PredictionInputs inputs, const QString& programFolder, Console& console);
