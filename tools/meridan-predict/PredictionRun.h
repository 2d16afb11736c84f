// One whole ATU prediction from the command line, as the workbench runs it:
// the operon, promoter and terminator runs at the same time on their worker
// threads, then the TU-list run, in the program folder.
#pragma once

#include <QString>
#include <QStringList>

class Console;

struct PredictionInputs {
    // GENOME.gbff | GENOME.gff3 | GENOME.fna GENOME.gff3 | GENOME.fna GENOME.ptt [GENOME.rnt]
    QStringList files;
    QString outputDir; // empty: work in the program folder
    bool evidenceOperons = false; // refine the operon engine's operons with the other engines' evidence
    QStringList notes{};  // what the input check says about rows left out, once per file
};

// Checks the inputs (names, then the contents of an FNA/PTT[/RNT] triple
// with the genome library's input check) before any engine runs; empty when
// they can be used, else the message for the user. Fills inputs.notes. The
// tables made from a GenBank or GFF3 file are checked by runPrediction once
// written, before any engine runs.
QString checkInputs(PredictionInputs& inputs);

// Runs the prediction of every genome (every record with two or more protein
// genes) in turn, in programFolder or, when given, in the output folder
// (made the working folder). Returns the process exit status: 0 when every
// stage of every genome produced its result file.
int runPrediction(PredictionInputs inputs, const QString& programFolder, Console& console);
