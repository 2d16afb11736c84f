// The genes of one genome as comparative evidence needs them: their order on
// each record, their strands and their protein sequences.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridan::panel {

struct PanelGene {
    int record = 0;          // index of the record (chromosome, plasmid, contig) in its genome
    std::int64_t start = 0;  // left end, 1-based
    std::int64_t end = 0;    // right end, inclusive
    char strand = '+';
    std::string protein;     // amino acids; empty for a gene that codes for none
};

struct PanelGenome {
    std::string name;            // shown in messages and in the panel's list
    std::vector<std::string> sources; // the files it was read from
    std::vector<PanelGene> genes;     // by record, then by position
    std::uint64_t sequenceHash = 0;   // of all record sequences, to recognise the same genome
};

// One genome from annotation files: a GenBank file, a GFF3 file with its
// sequence, or a FASTA file with its GFF3 file. Protein genes only; their
// proteins are translated from the sequence. Fails with the reader's message.
bool readPanelGenome(const std::vector<std::string>& sources, PanelGenome& out, std::string& error);

// A hash of a genome's record sequences, independent of their order.
std::uint64_t sequenceHash(const std::vector<std::string>& sequences);

// A hash as 16 hexadecimal digits, as the panel database writes it in its
// manifest and file names.
std::string hashText(std::uint64_t hash);

} // namespace meridan::panel
