// One whole prediction from the command line: every genome of the inputs
// in turn through the prediction pipeline, with its stages reported on the
// console.
#pragma once

#include "meridan/pipeline/Prediction.h"

#include <string>
#include <vector>

class Console;

struct PredictionInputs {
    // GENOME.gbff | GENOME.gff3 | GENOME.fna GENOME.gff3 | GENOME.fna GENOME.ptt [GENOME.rnt]
    std::vector<std::string> files;
    std::string outputDir; // empty: the program folder
    meridan::pipeline::PredictionOptions options;
    std::vector<std::string> notes{}; // what the input check says about rows left out, once per file
};

// Checks the inputs (names, then the contents of an FNA/PTT[/RNT] triple
// with the genome library's input check) before any engine runs; empty when
// they can be used, else the message for the user. Fills inputs.notes. The
// tables made from a GenBank or GFF3 file are checked by runPrediction once
// written, before any engine runs.
std::string checkInputs(PredictionInputs& inputs);

// Predicts the genome (all records with two or more protein genes, as one)
// into results/ and annotation/ of the output folder, or of the program
// folder when none is given. Returns the process exit status: 0 when every
// stage of every genome produced its result file.
int runPrediction(PredictionInputs inputs, const std::string& programFolder, Console& console);
