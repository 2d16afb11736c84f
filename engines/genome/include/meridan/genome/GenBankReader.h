// Reader of GenBank flat files (.gbk, NCBI .gbff), several records per file.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"
#include "meridan/genome/ReadResult.h"

#include <string>
#include <string_view>

namespace meridan::genome {

// One record per LOCUS ... // block; its identifier is the VERSION, else the
// ACCESSION, else the LOCUS name. CDS features become protein genes, tRNA,
// rRNA, ncRNA and tmRNA features RNA genes; locations may use complement(),
// join(), order() and '<' / '>' partial ends. A missing /gene is taken from
// the gene feature with the same /locus_tag. Pseudogenes (/pseudo,
// /pseudogene) and pseudo CDS are left out and counted. Problems (an
// unreadable location, a record cut off before "//", a sequence whose length
// differs from the LOCUS line, a location outside the record) fail naming
// sourceName and the line.
ReadResult<AnnotatedGenome> parseGenBank(std::string_view text, const std::string& sourceName);

// Reads a GenBank file, gzip-compressed or not.
ReadResult<AnnotatedGenome> readGenBank(const std::string& path);

// Parses a feature location into parts in reading direction; strand is the
// first part's. False (with problem set) for a text it cannot read, including
// references to other records.
bool parseFeatureLocation(std::string_view text, std::vector<LocationPart>& parts, char& strand,
                          bool& openThreePrime, std::string& problem);

} // namespace meridan::genome
