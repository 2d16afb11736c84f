// What the operon evidence combination and the evaluation tool read from a
// finished prediction: the gene table, the gene-tag file, the sigma-70
// promoter hits, the terminator table and the TU list. The result files are
// read by the genome library's result readers; every function here throws
// InputError naming the file and line of a row it cannot use.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace meridan::evidence {

class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file opened for reading, or InputError "Can't open file PATH !".
std::ifstream openInput(const std::string& path);

struct TableGene {
    std::string synonym;
    long start = 0; // left coordinate, 1-based
    long end = 0;   // right coordinate, inclusive
    char strand = '+';
    std::string cog;     // functional-category letters, "" when unknown
    std::string product; // product description, "" when the table has none
    std::string name;    // gene name, "" when the table has none ("-")
    long startCodon() const { return strand == '+' ? start : end; }
    long length() const { return end - start + 1; }
};

// A gene table in PTT layout (three header lines, then tab-separated rows),
// in file order; several tables (PTT, RNT) are appended in the order given.
std::vector<TableGene> readGeneTable(const std::string& path);

// One gene-tag line: the operon number and the three signal positions.
struct GeneTagLine {
    long operon = 0;
    long sd = -1, ta = -1, terminator = -1;
};
std::vector<GeneTagLine> readGeneTags(const std::string& path);

// One row of a promoter scanner score file (<id>.sigma70.sca.dat).
struct PromoterHit {
    std::string synonym;
    char strand = '+';
    long tss = 0;   // predicted transcription start, 1-based genome coordinate
    long start = 0; // first base of the first box relative to the start codon (negative upstream)
    double score = 0.0;
    long from = 0, to = 0; // genome extent from the first box's first base to the last box's last base
};
std::vector<PromoterHit> readPromoterHits(const std::string& path);

// One row of the terminator table (<id>_terminator_score.txt).
struct TerminatorRow {
    long start = 0; // 0-based position of the hairpin in its scan region
    long stem = 0;
    long loop = 0;
    long tail = 0;
    double score = 0.0;
    std::string label; // synonym of the pair's leading gene
    long length() const { return 2 * stem + loop + tail; }
};
std::vector<TerminatorRow> readTerminatorRows(const std::string& path);

// The member gene indexes (rows of the gene table) of every TU of a TU list.
std::vector<std::vector<long>> readTuMembers(const std::string& path);

} // namespace meridan::evidence
