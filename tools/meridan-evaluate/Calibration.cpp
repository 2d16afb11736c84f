#include "Calibration.h"

#include "meridan/genome/results/OperonPairs.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace meridan::evaluate {

std::vector<ProbabilityBand> calibrate(const std::vector<evidence::TableGene>& genes,
                                       const std::vector<PairTruth>& truth, const std::string& pairsPath)
{
    std::map<std::pair<std::string, std::string>, PairTruth> judged;
    for (std::size_t i = 0; i + 1 < genes.size() && i < truth.size(); ++i)
        if (truth[i] != PairTruth::Unknown)
            judged[{genes[i].synonym, genes[i + 1].synonym}] = truth[i];

    std::vector<ProbabilityBand> bands(10);
    for (std::size_t k = 0; k < bands.size(); ++k) {
        bands[k].from = 0.1 * double(k);
        bands[k].to = 0.1 * double(k + 1);
    }
    const auto pairs = genome::results::readOperonPairsFile(pairsPath);
    if (!pairs.problems.empty())
        throw evidence::InputError(pairs.problems.front().text());
    for (const auto& row : pairs.rows) {
        const auto it = judged.find({row.first, row.second});
        if (it == judged.end())
            continue;
        ProbabilityBand& band = bands[std::min<std::size_t>(9, std::size_t(row.probability * 10.0))];
        ++band.pairs;
        band.same += it->second == PairTruth::Same;
        band.probabilitySum += row.probability;
    }
    return bands;
}

double calibrationError(const std::vector<ProbabilityBand>& bands)
{
    std::size_t total = 0;
    double error = 0.0;
    for (const auto& b : bands) {
        total += b.pairs;
        error += double(b.pairs) * std::abs(b.observed() - b.expected());
    }
    return total ? error / double(total) : 0.0;
}

BestCutoff bestDistanceCutoff(const std::vector<evidence::TableGene>& genes, const std::vector<PairTruth>& truth)
{
    BestCutoff best;
    bool first = true;
    for (long gap = -20; gap <= 300; gap += 5) {
        const PairCounts c = comparePairs(truth, linksOfDistance(genes, gap));
        if (first || c.mcc() > best.counts.mcc()) {
            best = {gap, c};
            first = false;
        }
    }
    return best;
}

} // namespace meridan::evaluate
