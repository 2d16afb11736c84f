// What the operon fit learns from: the genes with their sequences, the
// candidate pairs (adjacent genes on one strand) with their distance,
// category label and three signal regions, and the base compositions of the
// regions.
#pragma once

#include "meridan/genome/RecordTable.h"

#include "meridan/genome/GeneRecord.h"
#include "meridan/genome/GenomeSequence.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace meridan::operon {

// A gene of the table with its coding-strand sequence.
struct GeneWithSequence {
    genome::GeneRecord gene;
    std::string sequence;
    std::size_t tableIndex = 0; // position among the gene table's rows
};

// The three places a signal is sought in, by the order the fit visits them.
enum class Signal { Terminator = 0, Promoter = 1, Sd = 2 };
inline constexpr int signalCount = 3;

struct SignalRegions {
    std::string terminatorRegion; // after the upstream gene
    std::string promoterRegion;   // before the downstream gene
    std::string sdRegion;         // 20 bases before the downstream start codon, or empty
    bool clipped = false;         // a region reached past the genome and was cut short
};

// Two neighbouring genes of the gene list on one strand, lower coordinate
// first whatever the strand.
struct CandidatePair {
    std::size_t first = 0;  // index into TrainingMaterial::genes
    std::size_t second = 0; // index into TrainingMaterial::genes
    char strand = '+';
    std::int32_t distance = 0; // second.start - first.end - 1, clamped to 0…100
    std::string categoryLabel; // "-" or X_Y
    std::string terminatorRegion;
    std::string promoterRegion;
    std::string sdRegion;
};

// A region of one pair in the coded base buffer.
struct RegionSlice {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    bool acgtOnly = true; // no code 4 in the region
};

// The pairs' regions coded once for scoring (A 0, C 1, G 2, T 3, any other
// character 4) and their category cells (-1 when the pair has no label).
// laneIndex holds, per coded base c < 4, the two 32-bit lane numbers 2c and
// 2c+1 (low, high) with which a vector permute picks column c out of a row
// of four doubles.
struct EncodedPairs {
    static constexpr std::size_t padding = 8; // codes 4 after the last region
    std::vector<std::uint8_t> codes;
    std::vector<std::uint64_t> laneIndex; // parallel to codes
    std::vector<std::array<RegionSlice, signalCount>> regions;
    std::vector<std::array<int, 2>> categoryCell;

    const std::uint8_t* bases(std::size_t pair, Signal s) const
    {
        return codes.data() + regions[pair][static_cast<int>(s)].offset;
    }
    const std::uint64_t* lanes(std::size_t pair, Signal s) const
    {
        return laneIndex.data() + regions[pair][static_cast<int>(s)].offset;
    }
    const RegionSlice& region(std::size_t pair, Signal s) const
    {
        return regions[pair][static_cast<int>(s)];
    }
    std::uint32_t length(std::size_t pair, Signal s) const
    {
        return regions[pair][static_cast<int>(s)].length;
    }
};

struct TrainingMaterial {
    std::vector<GeneWithSequence> genes; // table order, genes without sequence left out
    std::vector<CandidatePair> pairs;
    std::array<double, 4> terminatorBackground{}; // A, C, G, T
    std::array<double, 4> promoterBackground{};
    EncodedPairs encoded;
};

// Base code used for scoring: A 0, C 1, G 2, T 3, anything else 4.
std::uint8_t baseCode(char c);

// Category index of a functional-category letter: A…T 0…19, V 21, W 22,
// Y 23, Z 24, anything else 20.
int categoryIndex(char c);

// Category label of two genes' cog texts (genome order): "-" when either is
// "-" or empty; c_c for the first letter of the first that also occurs in the
// second; otherwise the two first letters.
std::string categoryLabel(const std::string& firstCog, const std::string& secondCog);

// Number of scored windows of a region: a 20-wide terminator window may not
// end at the region's last base (length - 20), a 10-wide window may
// (length - 9); none when the region is too short.
std::uint32_t windowCount(Signal s, std::uint32_t regionLength);

inline constexpr int signalWidth(Signal s)
{
    return s == Signal::Terminator ? 20 : 10;
}

// The three regions of the pair (first, second) on strand '+' or '-' of the
// genome. Regions are cut inside the genome only; one that would reach past
// either end is shortened (clipped is set).
SignalRegions cutSignalRegions(const genome::GeneRecord& first, const genome::GeneRecord& second,
                               char strand, const genome::GenomeSequence& genome);

// Fraction of A, C, G and T among all characters of the regions (every
// character counts in the total).
std::array<double, 4> baseComposition(const std::vector<const std::string*>& regions);

// Codes the pairs' regions and category cells.
EncodedPairs encodePairs(const std::vector<CandidatePair>& pairs);

// Builds everything from the genome and the gene table. Genes without a
// sequence (outside the genome, or a strand other than + or -) are left
// out and reported on log, as are regions cut short at the genome's ends.
// Neighbours on two records of a joined genome form no pair.
// Trace lines: "allpairs size=", "all sd size:", "allpairs_interval_size=".
TrainingMaterial buildTrainingMaterial(const genome::GenomeSequence& genome,
                                       const genome::GeneTable& table, std::ostream& log,
                                       const genome::RecordTable& records = {});

} // namespace meridan::operon
