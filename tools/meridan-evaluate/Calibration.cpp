#include "Calibration.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace meridan::evaluate {

namespace {

std::vector<std::string> tabFields(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, '\t');)
        out.push_back(f);
    return out;
}

} // namespace

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
    std::ifstream in = evidence::openInput(pairsPath);
    std::string line;
    std::getline(in, line);
    const auto header = tabFields(line);
    const auto column = [&](const char* name) {
        const auto it = std::find(header.begin(), header.end(), name);
        if (it == header.end())
            throw evidence::InputError(pairsPath + ":1: no column \"" + name + "\"");
        return std::size_t(it - header.begin());
    };
    const std::size_t first = column("first"), second = column("second"), probability = column("probability");
    for (long number = 2; std::getline(in, line); ++number) {
        if (line.empty())
            continue;
        const auto f = tabFields(line);
        if (f.size() <= std::max({first, second, probability}))
            throw evidence::InputError(pairsPath + ":" + std::to_string(number) + ": too few columns");
        const auto it = judged.find({f[first], f[second]});
        if (it == judged.end())
            continue;
        double p = 0.0;
        try {
            p = std::stod(f[probability]);
        } catch (const std::exception&) {
            throw evidence::InputError(pairsPath + ":" + std::to_string(number) + ": probability \"" + f[probability] +
                                       "\" is no number");
        }
        if (!(p >= 0.0 && p <= 1.0))
            throw evidence::InputError(pairsPath + ":" + std::to_string(number) + ": probability " + f[probability] +
                                       " lies outside 0-1");
        ProbabilityBand& band = bands[std::min<std::size_t>(9, std::size_t(p * 10.0))];
        ++band.pairs;
        band.same += it->second == PairTruth::Same;
        band.probabilitySum += p;
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
