// Homologues of a genome's proteins in the panel, found by MMseqs2 run as a
// program ("mmseqs", or the program MERIDAN_MMSEQS names).
#pragma once

#include "meridan/panel/PanelDatabase.h"

#include <string>
#include <vector>

namespace meridan::panel {

struct Homologue {
    int genome = 0; // index into the panel's genomes
    int gene = 0;   // index into that genome's genes
    double bits = 0.0;
};

// Runs a program with its arguments, its output and errors appended to
// logPath; true when it ran and exited with status 0 (else error says why).
bool runProgram(const std::vector<std::string>& argv, const std::string& logPath, std::string& error);

// The MMseqs2 program to run.
std::string mmseqsProgram();

// Per query protein (empty ones included, they find nothing), its homologues
// in the panel with an E-value of at most 1e-5. The search of the same
// proteins against the same database is kept in the database folder and
// not run again.
bool searchPanel(const PanelDatabase& panel, const std::vector<std::string>& proteins,
                 std::vector<std::vector<Homologue>>& out, std::string& error, int threads = 2);

} // namespace meridan::panel
