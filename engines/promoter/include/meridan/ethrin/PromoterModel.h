// A promoter model of one sigma factor as kept in its weight-matrix file:
// one box (single-box promoters) or two boxes joined by a spacer of limited
// length, each box a matrix of base counts.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::ethrin {

struct BoxCounts {
    std::string name;      // e.g. "-35"
    std::string consensus; // one letter per position, documentation only
    std::vector<std::array<double, 4>> counts; // per position: A, C, G, T

    int width() const { return static_cast<int>(counts.size()); }
};

struct PromoterModel {
    std::string sigma;        // e.g. "sigma70"
    double pseudocount = 1.0; // total pseudocount per position
    std::vector<BoxCounts> boxes; // one or two, upstream box first
    int spacerMin = 0;
    int spacerMax = 0;
    std::vector<double> spacerCounts; // empty or one per spacer length
    int tssOffset = 7; // bases from the last base of the last box to +1
    bool hasTssWindow = false; // training only: allowed tssOffset range
    int tssWindowMin = 0;
    int tssWindowMax = 0;

    // Context of a placement (all optional, log2 odds added to the boxes):
    // where the transcription start lies relative to the start codon, in
    // bins of positionBin bases from positionFirst on (an offset outside
    // the bins takes the nearest bin's value) ...
    int positionFirst = 0;
    int positionBin = 0;
    std::vector<double> positionOdds;
    // ... whether it lies outside every gene of the table or inside one ...
    bool hasIntergenic = false;
    double intergenicOdds = 0.0;
    double genicOdds = 0.0;
    // ... and how A/T-rich the upElementWidth bases before the first box
    // are: the log-odds shift of their A/T share against the genome's.
    int upElementWidth = 0;
    double upElementShift = 0.0;
    // ... and, for the whole region, how many bases before the start codon
    // lie outside every gene: gapOdds[k] for a gap of at most gapEdges[k]
    // bases (the first edge that fits), the last value for longer gaps.
    std::vector<double> gapEdges;
    std::vector<double> gapOdds;

    bool twoBoxes() const { return boxes.size() == 2; }
    double positionScore(long offset) const;
    double gapScore(long gap) const;
};

// Reads a weight-matrix file. Throws InputError naming fileName and the line.
PromoterModel parseModel(std::istream& in, const std::string& fileName);
PromoterModel readModelFile(const std::string& path);

// Writes the model in the file format parseModel reads, after the comment
// lines given (each written with a leading "# ").
void writeModel(std::ostream& out, const PromoterModel& model,
                const std::vector<std::string>& comments);

} // namespace meridan::ethrin
