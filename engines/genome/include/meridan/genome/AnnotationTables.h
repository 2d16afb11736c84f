// An annotated record written as the engines' input files: the protein table
// (PTT), the RNA table (RNT) and the sequence (FNA).
#pragma once

#include "meridan/genome/AnnotatedGenome.h"

#include <string>

namespace meridan::genome {

// Three header lines ("<id> <description> - 1..<length>", "<n> proteins" or
// "<n> RNAs", the column names), then one tab-separated row per gene:
// Location, Strand, Length, PID, Gene, Synonym, Code ("-"), COG, Product.
// Blanks inside the word columns become '_', tabs and line breaks in the
// product become blanks, empty values "-". An origin-spanning gene is written
// "end..start" (the protein-table convention for it).
std::string proteinTableText(const AnnotatedRecord& record);
std::string rnaTableText(const AnnotatedRecord& record);

// ">" id and description, then the sequence in lines of 70.
std::string fastaText(const AnnotatedRecord& record);

} // namespace meridan::genome
