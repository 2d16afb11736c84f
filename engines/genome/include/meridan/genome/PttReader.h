// Reader of the protein table (PTT layout): three header lines, then one
// tab-separated row per gene: Location, Strand, Length, PID, Gene, Synonym,
// Code, COG, Product.
#pragma once

#include "meridan/genome/GeneRecord.h"
#include "meridan/genome/ReadResult.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <utility>

namespace meridan::genome {

// Reads a gene table from an open stream. Every row that holds at least one
// field is kept, the last one too when the file ends without a line break;
// blank lines are skipped. A row with fewer than the eight leading columns
// is kept with the missing ones empty (numbers 0) and reported on trace,
// naming sourceName and the line. Trace lines ("stop", "stop1",
// "geneSize= ...") go to trace when it is not null.
GeneTable readGeneTable(std::istream& in, std::ostream* trace = nullptr,
                        const std::string& sourceName = "protein table");

// Opens and reads the PTT file at path; an unopenable file gives the
// failure "Can't open file <path> !".
ReadResult<GeneTable> readGeneTable(const std::string& path, std::ostream* trace = nullptr);

// start and end of a Location text "start..end" (190..255 gives 190, 255).
// A text without "." gives its leading number as start and 0 as end.
std::pair<std::int32_t, std::int32_t> parseLocation(const std::string& location);

// The category letters of a COG column: "-" stays "-"; otherwise the
// characters after the 7-character identifier of every comma-separated
// entry, concatenated (COG1028IQR gives IQR, COG0001H,COG0002K gives HK).
std::string convertCog(const std::string& column);

} // namespace meridan::genome
