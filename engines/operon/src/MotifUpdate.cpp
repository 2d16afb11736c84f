#include "meridan/operon/ModelFit.h"

namespace meridan::operon {

namespace {

// Adds each window's share to the counts of the bases it holds, pairs and
// windows in order (so every count is summed in that order).
template <int Width>
void addWindowCounts(const std::uint8_t* bases, std::span<const double> shares,
                     std::array<std::array<double, 5>, 20>& counts, double& total, double& present)
{
    for (std::size_t p = 0; p < shares.size(); ++p) {
        const double r = shares[p];
        total += r;
        present += r;
        const std::uint8_t* x = bases + p;
        for (int i = 0; i < Width; ++i)
            counts[i][x[i]] += r; // column 4 gathers non-ACGT bases and is not used
    }
}

} // namespace

void updateMotif(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                 MotifId motifId)
{
    Motif& motif = model.motif(motifId);
    const Signal signal = signalOf(motifId);
    const int m = index(motifId);

    std::array<std::array<double, 5>, 20> counts{};
    for (int i = 0; i < motif.width; ++i)
        counts[i] = {1, 1, 1, 1, 0};
    double total = 4;   // the same for every row: 4 + every share
    double absent = 1;  // S0
    double present = 1; // S1
    for (std::size_t k = 0; k < evidence.pairs.size(); ++k) {
        const PairEvidence& ev = evidence.pairs[k];
        absent += ev.absentShare[m];
        const std::uint8_t* bases = material.encoded.bases(k, signal);
        if (signal == Signal::Terminator)
            addWindowCounts<20>(bases, ev.windowShares[m], counts, total, present);
        else
            addWindowCounts<10>(bases, ev.windowShares[m], counts, total, present);
    }

    motif.presentWeight = present / (absent + present);
    motif.absentWeight = 1 - motif.presentWeight;
    for (int i = 0; i < motif.width; ++i)
        for (int b = 0; b < 4; ++b)
            motif.rows[i][b] = counts[i][b] / total;
}

} // namespace meridan::operon
