// The gene table (PTT layout) as the terminator engines keep it: the
// Location text split into its two coordinate texts, the strand and, for the
// scanning engine, the Synonym column (the gene's locus tag).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::terminator {

struct LocusRecord {
    std::string location;  // the Location column as read, e.g. 190..255
    std::string startText; // characters of location before its first '.'
    std::string endText;   // characters of location from two past the first '.'
    char strand = '+';     // '+' or '-'
    std::string synonym;   // the Synonym column
};

// Splits a Location text such as 190..255 into "190" and "255".
void splitLocation(const std::string& location, std::string& startText, std::string& endText);

// Read: the Synonym column is kept; Skip: it is left empty.
enum class SynonymColumn { Skip, Read };

// The usable rows of a gene table (the genome library's reader and its rule
// for which rows are left out).
std::vector<LocusRecord> parseLocusTable(std::istream& in, SynonymColumn synonym);

// Opens the file ("Can't open file <path> !" when it cannot), reads it and
// writes "geneSize= <count>" to trace. Throws RunError.
std::vector<LocusRecord> readLocusTable(const std::string& path, SynonymColumn synonym,
                                        std::ostream& trace);

} // namespace meridan::terminator
