#include "WindowKernels.h"
#include "meridan/operon/ModelFit.h"
#include "meridan/operon/Workers.h"

#include <cmath>
#include <ostream>

namespace meridan::operon {

namespace {

using detail::ClassWindows;
using detail::RatioTable;

constexpr std::size_t reportedPairsLimit = 5;

RatioTable ratioTable(const Motif& motif, const std::array<double, 4>& background)
{
    RatioTable table{};
    for (int i = 0; i < motif.width; ++i) {
        for (int b = 0; b < 4; ++b)
            table[i][b] = motif.rows[i][b] / background[b];
        table[i][4] = 1.0;
    }
    return table;
}

constexpr int maxDistance = 100;

struct StepTables {
    std::array<RatioTable, motifCount> ratios;
    // exp(a + b·d) for the distances 0…100 the material clamps to.
    std::array<double, maxDistance + 1> prior;
};

// Posterior and responsibilities of pair k (both classes of a signal are
// scored in one pass over its windows); its log-likelihood term goes to
// evidence.logTerms[k].
void expectPair(const OperonModel& model, const TrainingMaterial& material,
                const StepTables& tables, std::size_t k, Evidence& evidence)
{
    const EncodedPairs& encoded = material.encoded;
    PairEvidence& ev = evidence.pairs[k];
    const std::int32_t distance = material.pairs[k].distance;
    const double e = distance >= 0 && distance <= maxDistance
                         ? tables.prior[distance]
                         : std::exp(model.a + model.b * static_cast<double>(distance));

    std::array<double, motifCount> z{};
    for (const SignalMotifs& sm : signalMotifs) {
        const int m1 = index(sm.first), m2 = index(sm.second);
        ClassWindows c1{&tables.ratios[m1], ev.windowShares[m1], model.motifs[m1].absentWeight,
                        model.motifs[m1].presentWeight};
        ClassWindows c2{&tables.ratios[m2], ev.windowShares[m2], model.motifs[m2].absentWeight,
                        model.motifs[m2].presentWeight};
        const RegionSlice& region = encoded.region(k, sm.signal);
        detail::scoreRegion(signalWidth(sm.signal), encoded.bases(k, sm.signal),
                            encoded.lanes(k, sm.signal), region.acgtOnly, c1, c2);
        z[m1] = c1.z;
        z[m2] = c2.z;
    }

    double fOperon = 1, fBoundary = 1;
    const auto [x, y] = encoded.categoryCell[k];
    const bool labelled = x >= 0;
    if (labelled) {
        fOperon = model.operonTable[x][y];
        fBoundary = model.boundaryTable[x][y];
    }
    const double cOperon = e * z[index(MotifId::TerminatorOperon)] *
                           z[index(MotifId::PromoterOperon)] * z[index(MotifId::SdOperon)] *
                           fOperon;
    const double cBoundary = z[index(MotifId::TerminatorBoundary)] *
                             z[index(MotifId::PromoterBoundary)] * z[index(MotifId::SdBoundary)] *
                             fBoundary;
    const double total = cOperon + cBoundary;

    ev.total = total;
    ev.posterior = cOperon / total;
    evidence.logTerms[k] = std::log(total / (1 + e));

    for (const MotifId m : allMotifs) {
        const double classTerm = isOperonClass(m) ? cOperon : cBoundary;
        const double q = classTerm / z[index(m)];
        ev.absentShare[index(m)] = model.motif(m).absentWeight * q / total;
        detail::scaleShares(ev.windowShares[index(m)], q, total);
    }
    ev.operonShare = labelled ? cOperon / total : 0;
    ev.boundaryShare = labelled ? cBoundary / total : 0;
}

// First pair of each worker's share: contiguous runs of about equal work.
std::vector<std::size_t> splitPairs(const Evidence& evidence, int parts)
{
    std::vector<std::uint64_t> work(evidence.pairs.size());
    std::uint64_t total = 0;
    for (std::size_t k = 0; k < evidence.pairs.size(); ++k) {
        std::uint64_t w = 8; // the per-pair part
        for (const MotifId m : allMotifs)
            w += evidence.pairs[k].windowShares[index(m)].size() * signalWidth(signalOf(m));
        work[k] = w;
        total += w;
    }
    std::vector<std::size_t> bounds{0};
    std::uint64_t done = 0;
    for (std::size_t k = 0; k < work.size() && static_cast<int>(bounds.size()) < parts; ++k) {
        done += work[k];
        if (done * parts >= total * bounds.size())
            bounds.push_back(k + 1);
    }
    while (static_cast<int>(bounds.size()) < parts)
        bounds.push_back(evidence.pairs.size());
    bounds.push_back(evidence.pairs.size());
    return bounds;
}

} // namespace

void expectationStep(OperonModel& model, const TrainingMaterial& material, Evidence& evidence,
                     std::ostream& log, Workers* workers)
{
    StepTables tables;
    for (const MotifId m : allMotifs)
        tables.ratios[index(m)] = ratioTable(model.motif(m), model.background(m));
    for (int d = 0; d <= maxDistance; ++d)
        tables.prior[d] = std::exp(model.a + model.b * static_cast<double>(d));

    const std::size_t pairCount = evidence.pairs.size();
    if (workers && workers->count() > 1 && pairCount > 1) {
        const std::vector<std::size_t> bounds = splitPairs(evidence, workers->count());
        workers->run([&](int w) {
            for (std::size_t k = bounds[w]; k < bounds[w + 1]; ++k)
                expectPair(model, material, tables, k, evidence);
        });
    } else {
        for (std::size_t k = 0; k < pairCount; ++k)
            expectPair(model, material, tables, k, evidence);
    }

    double logLikelihood = 0;
    std::size_t notPositive = 0;
    for (std::size_t k = 0; k < pairCount; ++k) {
        if (!(evidence.pairs[k].total > 0) && ++notPositive <= reportedPairsLimit)
            log << "pair " << k << ": likelihood total " << evidence.pairs[k].total
                << " is not positive\n";
        logLikelihood += evidence.logTerms[k];
    }
    if (notPositive > reportedPairsLimit)
        log << notPositive << " pairs in all have a likelihood total that is not positive\n";
    model.logLikelihood = logLikelihood;
}

Evidence expectationStep(OperonModel& model, const TrainingMaterial& material, std::ostream& log)
{
    Evidence evidence(material);
    expectationStep(model, material, evidence, log);
    return evidence;
}

} // namespace meridan::operon
