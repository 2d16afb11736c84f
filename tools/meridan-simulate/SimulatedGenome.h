// A synthetic genome with planted transcription structure: operons of 1 to 8
// genes, a sigma-70 promoter before each operon and a hairpin-plus-U-tail
// terminator after it. Coordinates are 1-based and inclusive, on the forward
// strand, as in a PTT file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridan::simulation {

struct SimulationParameters {
    int length = 1000000;               // bases
    std::uint64_t seed = 1;
    std::string accession = "SIM000001";   // 9 characters: names every file
};

struct SimulatedGene {
    int start = 0;
    int end = 0;
    char strand = '+';
    bool rna = false;          // listed in the RNT file instead of the PTT file
    int lengthField = 0;       // residues for proteins, bases for RNA genes
    std::string pid;
    std::string name;
    std::string synonym;
    std::string cog;           // "-" or e.g. COG0123E
    std::string product;
    int operon = 0;            // index into SimulatedGenome::operons
};

struct PlantedOperon {
    char strand = '+';
    int start = 0;             // first base of its first gene
    int end = 0;               // last base of its last gene
    std::vector<int> genes;    // indexes into SimulatedGenome::genes, ascending
};

// A promoter or a terminator, with the gene it belongs to: the operon's first
// transcribed gene for a promoter, its last transcribed gene for a terminator.
struct PlantedSignal {
    char strand = '+';
    int start = 0;
    int end = 0;
    int gene = 0;
    std::string detail;        // boxes and spacer, or stem, loop and tail
};

struct SimulatedGenome {
    SimulationParameters parameters;
    std::string sequence;
    std::vector<SimulatedGene> genes;     // ascending start
    std::vector<PlantedOperon> operons;   // ascending start
    std::vector<PlantedSignal> promoters;
    std::vector<PlantedSignal> terminators;
};

// Deterministic for given parameters.
SimulatedGenome simulateGenome(const SimulationParameters& parameters);

} // namespace meridan::simulation
