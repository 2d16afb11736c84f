// Reader of GFF3 annotation, as NCBI and the common annotation pipelines
// write it, with or without a ##FASTA section holding the sequences.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"
#include "meridan/genome/ReadResult.h"

#include <string>
#include <string_view>

namespace meridan::genome {

// One record per sequence (##sequence-region lines, feature seqids and FASTA
// records, in that order of appearance). CDS become protein genes, tRNA,
// rRNA, ncRNA and tmRNA features RNA genes; names and locus tags missing on
// a CDS or RNA are taken from the gene its Parent names. Lines sharing an ID
// are the parts of one feature. Attribute values are URL-unescaped.
// Pseudogenes and CDS flagged pseudo (or under a pseudogene) are left out and
// counted. Every problem (column count, numbers, strand, unknown Parent, a
// location outside its record, FASTA errors) fails naming sourceName and line.
ReadResult<AnnotatedGenome> parseGff3(std::string_view text, const std::string& sourceName);

// Reads a GFF3 file, gzip-compressed or not.
ReadResult<AnnotatedGenome> readGff3(const std::string& path);

} // namespace meridan::genome
