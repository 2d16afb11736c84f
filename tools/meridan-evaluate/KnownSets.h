// Readers of what is known about an organism's transcription: RegulonDB
// operon and TU sets (with their evidence levels), its gene products (names
// to locus tags), plain tables of known operons, BED/TSV site lists and
// transcription starts. Comment lines ('#', e.g. RegulonDB's copyright
// header) are skipped. Errors are evidence::InputError naming file and line.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace meridan::evaluate {

// A known operon or TU: the locus tags (or names) of its genes.
struct KnownUnit {
    std::vector<std::string> genes;
};

// Gene name -> locus tag (b-number) from a RegulonDB GeneProductSet.
std::map<std::string, std::string> readGeneProducts(const std::string& path);

// Units of a RegulonDB OperonSet or TUSet (told apart by their columns) whose
// confidence level is one of `levels`; gene names mapped through `names`
// (names without an entry are kept as they are).
std::vector<KnownUnit> readRegulonUnits(const std::string& path, const std::vector<std::string>& levels,
                                        const std::map<std::string, std::string>& names);

// A plain table of known operons or TUs: one unit per line, genes separated
// by commas, tabs or blanks. The truth file of meridan-simulate is read too:
// its "operon" rows give the units (genes in the fifth column), its other rows
// are skipped.
std::vector<KnownUnit> readUnitTable(const std::string& path);

// A position on the genome; strand '.' when unknown.
struct Site {
    long position = 0; // 1-based
    char strand = '.';
};

// BED (0-based start, end exclusive, strand in column 6 when present): the
// middle base of each interval. Any other table: position in the first
// numeric column, strand from a column holding +, -, forward or reverse.
std::vector<Site> readSites(const std::string& path);

// Transcription starts of a RegulonDB PromoterSet for one sigma factor and
// the given confidence levels (one per strand and start), or of a BED/TSV
// site list when the file is not a PromoterSet.
std::vector<Site> readStartSites(const std::string& path, const std::string& sigma,
                                 const std::vector<std::string>& levels);

std::vector<std::string> splitList(const std::string& text, const std::string& separators);

} // namespace meridan::evaluate
