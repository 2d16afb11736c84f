// Writes a simulated genome as the files a user would load: ACCESSION.fna,
// ACCESSION.ptt, ACCESSION.rnt, and ACCESSION_truth.txt listing the planted
// operons, promoters and terminators.
#pragma once

#include "SimulatedGenome.h"

#include <filesystem>
#include <string>
#include <vector>

namespace meridan::simulation {

// The written paths; throws std::runtime_error naming a file that cannot be written.
std::vector<std::filesystem::path> writeSimulation(const SimulatedGenome& genome,
                                                   const std::filesystem::path& folder);

std::string fnaText(const SimulatedGenome& genome);
std::string geneTableText(const SimulatedGenome& genome, bool rna);
std::string truthText(const SimulatedGenome& genome);

} // namespace meridan::simulation
