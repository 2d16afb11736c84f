// A genome as annotation files (GFF3, GenBank) describe it: one entry per
// record (chromosome, plasmid), each with its sequence and its protein and
// RNA genes in the shape of protein-table (PTT) and RNA-table (RNT) rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridan::genome {

// One stretch of a feature's location, 1-based and inclusive (start <= end).
struct LocationPart {
    std::int64_t start = 0;
    std::int64_t end = 0;
};

struct AnnotatedGene {
    std::string type;        // CDS, tRNA, rRNA, ncRNA or tmRNA
    std::int64_t start = 0;  // left end, 1-based
    std::int64_t end = 0;    // right end; below start for a gene running across the origin
    char strand = '+';
    std::int64_t length = 0; // amino acids for a protein, bases for an RNA
    std::string pid = "-";
    std::string name = "-";
    std::string synonym = "-";
    std::string cog = "-";   // COG identifiers joined by ',' or "-"
    std::string product = "-";
    long sourceLine = 0;     // where the feature starts in its file
    // The location as read: its parts in reading direction, and whether the
    // 3' end is open (partial, no stop codon). start, end and length follow
    // from them once the record's length is known (see placeGenes).
    std::vector<LocationPart> parts;
    bool openThreePrime = false;

    bool spansOrigin() const { return end < start; }
};

struct AnnotatedRecord {
    std::string id;          // accession with version, e.g. NC_000913.3
    std::string description; // definition line or organism, may be empty
    bool plasmid = false;
    bool circular = false;
    bool linear = false;     // the file says so (a GenBank LOCUS line)
    std::int64_t declaredLength = -1; // from the file's header lines, -1 when absent
    long declaredLine = 0;            // the line declaring it
    std::string sequence;             // upper-case; empty until attached
    std::vector<AnnotatedGene> proteins; // ordered by left end, then right end
    std::vector<AnnotatedGene> rnas;
    int pseudogenes = 0; // pseudogene features left out
    int pseudoCds = 0;   // CDS flagged as pseudo (or under a pseudogene) left out
};

struct AnnotatedGenome {
    std::string source; // the file the records came from
    std::vector<AnnotatedRecord> records;
    std::vector<std::string> leftOut; // records that could not be used, with the reason
};

// Sets start, end and length of every gene from its parts, for a record of
// the given length (the sequence's when attached, else the declared one, else
// unchecked): outer ends of a join, so a ribosomal-slippage join spans both
// frames; parts running past the end of a circular record wrap to its start;
// a gene whose parts meet at the origin keeps the whole span (its end lies
// before its start). Genes are then ordered by position, origin-spanning ones
// first. Fails naming sourceName and the gene's line when a part lies outside
// the record.
std::string placeGenes(AnnotatedRecord& record, const std::string& sourceName);

// Chromosomes before plasmids, file order otherwise.
std::vector<const AnnotatedRecord*> chromosomeFirst(const AnnotatedGenome& genome);

} // namespace meridan::genome
