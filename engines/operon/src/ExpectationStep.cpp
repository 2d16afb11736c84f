#include "meridan/operon/ModelFit.h"

#include <cmath>
#include <ostream>

namespace meridan::operon {

namespace {

// M[i][x] / B[x] per row and base code; code 4 (not A, C, G or T) weighs 1.
using RatioTable = std::array<std::array<double, 5>, 20>;

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

// v[p] = ratio(window p) · w1 / N into shares; returns Z = w0 + Σ v[p].
template <int Width>
double scoreWindows(const RatioTable& table, const std::uint8_t* bases, std::span<double> shares,
                    double w0, double w1)
{
    const std::size_t n = shares.size();
    const double windows = static_cast<double>(n);
    double z = w0;
    for (std::size_t p = 0; p < n; ++p) {
        const std::uint8_t* x = bases + p;
        double ratio = 1.0;
        for (int i = 0; i < Width; ++i)
            ratio *= table[i][x[i]];
        const double v = ratio * w1 / windows;
        shares[p] = v;
        z += v;
    }
    return z;
}

} // namespace

void expectationStep(OperonModel& model, const TrainingMaterial& material, Evidence& evidence,
                     std::ostream& log)
{
    const EncodedPairs& encoded = material.encoded;
    std::array<RatioTable, motifCount> tables;
    for (const MotifId m : allMotifs)
        tables[index(m)] = ratioTable(model.motif(m), model.background(m));

    double logLikelihood = 0;
    for (std::size_t k = 0; k < evidence.pairs.size(); ++k) {
        PairEvidence& ev = evidence.pairs[k];
        const double d = material.pairs[k].distance;
        const double e = std::exp(model.a + model.b * d);

        std::array<double, motifCount> z{};
        for (const MotifId m : allMotifs) {
            const Motif& motif = model.motif(m);
            const std::uint8_t* bases = encoded.bases(k, signalOf(m));
            const auto shares = ev.windowShares[index(m)];
            z[index(m)] = signalOf(m) == Signal::Terminator
                              ? scoreWindows<20>(tables[index(m)], bases, shares,
                                                 motif.absentWeight, motif.presentWeight)
                              : scoreWindows<10>(tables[index(m)], bases, shares,
                                                 motif.absentWeight, motif.presentWeight);
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
                                 z[index(MotifId::PromoterBoundary)] *
                                 z[index(MotifId::SdBoundary)] * fBoundary;
        const double total = cOperon + cBoundary;
        if (!(total > 0))
            log << "pair " << k << ": likelihood total " << total << " is not positive\n";

        ev.posterior = cOperon / total;
        logLikelihood += std::log(total / (1 + e));

        for (const MotifId m : allMotifs) {
            const double classTerm = isOperonClass(m) ? cOperon : cBoundary;
            const double q = classTerm / z[index(m)];
            ev.absentShare[index(m)] = model.motif(m).absentWeight * q / total;
            for (double& share : ev.windowShares[index(m)])
                share = share * q / total;
        }
        ev.operonShare = labelled ? cOperon / total : 0;
        ev.boundaryShare = labelled ? cBoundary / total : 0;
    }
    model.logLikelihood = logLikelihood;
}

Evidence expectationStep(OperonModel& model, const TrainingMaterial& material, std::ostream& log)
{
    Evidence evidence(material);
    expectationStep(model, material, evidence, log);
    return evidence;
}

} // namespace meridan::operon
