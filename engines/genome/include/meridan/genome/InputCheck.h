// The check of a genome's input files before any engine runs: the FASTA
// file, the protein table and the optional RNA table are read once with the
// readers every engine uses. A problem that makes the prediction meaningless
// is an error (the genome is not predicted; the message names the file, the
// line and what was expected); a problem that only leaves rows out is a note,
// given once per file with a count.
#pragma once

#include <string>
#include <vector>

namespace meridan::genome {

struct InputCheck {
    std::vector<std::string> errors;
    std::vector<std::string> notes;
    long genomeLength = 0;
    long genes = 0; // usable rows of PTT and RNT together

    bool usable() const { return errors.empty(); }
};

// The bytes a genome sequence may hold: the nucleotide letters and the IUPAC
// ambiguity codes, either case.
bool isNucleotideCode(char c);

// rntPath may be empty.
InputCheck checkGenomeInputs(const std::string& fnaPath, const std::string& pttPath,
                             const std::string& rntPath = {});

// The same checks on texts already in memory; the names stand for the files
// in the messages.
InputCheck checkGenomeTexts(const std::string& fnaName, const std::string& fnaText,
                            const std::string& pttName, const std::string& pttText,
                            const std::string& rntName = {}, const std::string& rntText = {});

} // namespace meridan::genome
