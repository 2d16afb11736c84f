// The seven files that carry a trained terminator model from the discovery
// engine to the scanning engine, all named <prefix><extension>:
//   .bf  background A C G T, two decimals, blank-separated, no line break
//   .ws  4 lines of 4 stem pair probabilities, each value followed by a tab
//   .wt  tail composition A C G T, each value followed by a tab, no line break
//   .ls  stem-length distribution, one value per line
//   .ll  loop-length distribution, one value per line
//   .lt  tail-length distribution, one value per line
//   .ifo the background-only mixing weight p0 and a line break
#pragma once

#include <array>
#include <string>
#include <vector>

namespace meridan::terminator {

inline constexpr std::array<const char*, 7> kModelExtensions = {".bf", ".ws", ".wt", ".ls",
                                                                 ".ll", ".lt", ".ifo"};

struct ModelParameters {
    std::array<double, 4> background{};                // A C G T
    std::array<std::array<double, 4>, 4> pairProb{};   // [5' base][3' base]
    std::array<double, 4> tailProb{};
    std::vector<double> stemLen;                        // index = stem pairs
    std::vector<double> loopLen;                        // index = loop nucleotides
    std::vector<double> tailLen;                        // index = tail nucleotides
    double p0 = 0.0;
};

// How many values the scanning engine takes from each length file.
struct ModelCapacity {
    std::size_t stemLen = 250;
    std::size_t loopLen = 250;
    std::size_t tailLen = 31;
};

// value x 100 + 0.5, truncated, / 100: the background as written to .bf.
double roundToHundredths(double value);

// The text of one model file; extension is one of kModelExtensions.
std::string formatModelFile(const std::string& extension, const ModelParameters& model);

// Writes all seven files, or none of them. Throws RunError.
void writeModelFiles(const std::string& prefix, const ModelParameters& model);

// Reads all seven files. Values a file does not supply stay 0; the length
// distributions are sized to their capacities. A missing file or a value that
// is not a finite number is reported. Throws RunError.
ModelParameters readModelFiles(const std::string& prefix, const ModelCapacity& capacity = {});

// Deletes the seven files; files already gone are no error.
void removeModelFiles(const std::string& prefix);

} // namespace meridan::terminator
