// Opening a genome given as annotation files: a GenBank file, a GFF3 file
// with its ##FASTA section, or a FASTA file with a GFF3 (or GenBank) file.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"
#include "meridan/genome/ReadResult.h"

#include <string>
#include <string_view>

namespace meridan::genome {

enum class GenomeFileKind { Fasta, Gff3, GenBank, Unknown };

// The kind of a (decompressed) text, from its first non-blank line.
GenomeFileKind textKind(std::string_view text);

// The kind of the file at path (decompressed when needed); Unknown when it
// cannot be read.
GenomeFileKind genomeFileKind(const std::string& path);

// What becomes of an annotated record without its sequence: an error, or the
// record is left out and named in AnnotatedGenome::leftOut.
enum class MissingSequence { Fail, LeaveOut };

// Reads a GenBank or GFF3 file, recognised by its content. Every record
// that has genes must have its sequence (or is left out, see MissingSequence).
ReadResult<AnnotatedGenome> readAnnotatedGenome(const std::string& path);
ReadResult<AnnotatedGenome> readAnnotatedGenome(const std::string& path, MissingSequence missing);

// Reads the annotation at annotationPath and takes the sequences from the
// FASTA file: records are matched by identifier; a FASTA record without
// annotation becomes a record without genes, an annotated record missing
// from the FASTA file is an error or left out.
ReadResult<AnnotatedGenome> readAnnotatedGenome(const std::string& fastaPath, const std::string& annotationPath,
                                                MissingSequence missing = MissingSequence::Fail);

} // namespace meridan::genome
