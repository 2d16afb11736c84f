// One genome's results placed on the genome: every operon, transcription
// unit, promoter and terminator as 1-based inclusive coordinates on the
// forward strand, with its strand. A feature across the origin of a circular
// genome keeps its start and ends past the genome's length (end - start + 1
// is always its length), as GFF3 writes such features.
#pragma once

#include "meridan/export/GenomeResults.h"
#include "meridan/genome/RecordTable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace meridan::exports {

struct Span {
    long start = 0; // 1-based, 1 ... genome length
    long end = 0;   // inclusive; beyond the genome length for a feature across the origin
    char strand = '+';

    long length() const { return end - start + 1; }
};

// The genome the features are placed on.
struct GenomeText {
    std::string seqid;    // sequence name used in the files (the FASTA record's accession)
    std::string sequence; // forward strand; empty when unknown (nothing is then checked against it)
    long length = 0;      // sequence length; when the sequence is unknown, 0 or a length known otherwise
    bool circular = true; // bacterial chromosomes and plasmids: features may cross the origin
    // Several records joined into one sequence: where each lies. Features
    // are then placed on the joined sequence, never across a record's end.
    genome::RecordTable records;
};

struct ExportOptions {
    // Promoters are exported when their score is above this (the TU
    // builder's cut: a score of 0 or less is not a confident promoter).
    double promoterCut = 0.0;
    // The operon engine's seed of the prediction, named in the GFF3 header
    // ("#seed N") when known.
    std::optional<std::uint32_t> seed;
};

struct GeneFeature {
    long index = 0;
    std::string locusTag;
    std::string name; // the gene name, or the locus tag when the gene has none
    Span span;
};

struct PromoterFeature {
    std::string id;
    long gene = 0;          // gene index of the gene it lies in front of
    std::string sigma;      // "sigma70", ...; empty when the score files do not tell
    double score = 0.0;
    Span span;              // first base of the first box to last base of the last box
    std::optional<Span> box35;
    Span box10;             // the -10 box (for a one-box model its extended -10 box)
    std::string box35Text;  // bases in the gene's direction
    std::string box10Text;
};

struct TerminatorFeature {
    std::string id;
    long gene = 0;          // gene index of the gene whose 3' end it follows
    double score = 0.0;     // natural logarithm of the scan score
    Span span;              // hairpin and tail
    Span hairpin;           // stem, loop, stem
    long stem = 0;
    long loop = 0;
    long tail = 0;
    std::string sequence;   // in the direction of transcription
};

struct OperonFeature {
    std::string id;
    long number = 0;
    Span span;
    std::vector<long> genes; // ascending gene indexes
    // The lowest probability of its links between neighbouring genes, when
    // the run wrote the pair table and it holds every link of the operon.
    std::optional<double> weakestLink;
};

struct TuFeature {
    std::string id;
    std::string name;        // as in the TU list, e.g. 0012.1
    long operonNumber = 0;
    long ordinal = 0;
    bool alternative = false;
    Span span;               // first base of its first gene to last base of its last gene
    std::vector<long> genes; // ascending gene indexes
    std::optional<std::size_t> operon;     // index into GenomeFeatures::operons
    std::optional<std::size_t> promoter;   // index into promoters: the one in front of its first transcribed gene
    std::optional<std::size_t> terminator; // index into terminators: the one after its last transcribed gene
};

struct GenomeFeatures {
    std::string genomeId;
    std::string seqid;
    long genomeLength = 0; // 0 when unknown
    bool circular = true;
    genome::RecordTable records; // as GenomeText::records
    std::optional<std::uint32_t> seed; // of the prediction, when known
    std::vector<GeneFeature> genes; // by gene index
    std::vector<OperonFeature> operons;
    std::vector<TuFeature> tus;
    std::vector<PromoterFeature> promoters;
    std::vector<TerminatorFeature> terminators;
    std::vector<std::string> warnings; // results that could not be placed and were left out
};

// Places the results on the genome. With the sequence known, every promoter
// box and terminator is checked against it and left out (with a warning)
// when the bases differ; several genes sharing a locus tag are told apart
// the same way.
GenomeFeatures placeFeatures(const GenomeResults& results, const GenomeText& genome,
                             const ExportOptions& options = {});

// A span as the files name it: on a joined genome its record's accession
// and the coordinates on that record; otherwise seqid and the span as it is.
struct RecordPlace {
    std::string seqid;
    Span span;
};
RecordPlace onRecord(const GenomeFeatures& features, const Span& span);

// The reverse complement of bases (A/C/G/T either case; anything else N).
std::string reverseComplement(const std::string& bases);

// The genome's bases at span, read on its strand (reverse complement on
// "-"), across the origin when the genome is circular; empty when the span
// lies outside the sequence.
std::string basesAt(const GenomeText& genome, const Span& span);

} // namespace meridan::exports
