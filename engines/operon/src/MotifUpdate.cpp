#include "WindowKernels.h"
#include "meridan/operon/ModelFit.h"
#include "meridan/operon/Workers.h"

#include <algorithm>

namespace meridan::operon {

namespace {

using detail::MotifCounts;

// Counts start at one per base (the pseudocount).
MotifCounts initialCounts(int width)
{
    MotifCounts counts{};
    for (int i = 0; i < width; ++i)
        counts[i] = {1, 1, 1, 1};
    return counts;
}

// S0 = 1 + Σ absent shares, S1 = 1 + Σ window shares and the row total
// 4 + Σ window shares, all in pair and window order.
struct ShareSums {
    double absent = 1;
    double present = 1;
    double total = 4;
};

ShareSums shareSums(const Evidence& evidence, int m)
{
    ShareSums sums;
    for (const PairEvidence& ev : evidence.pairs) {
        sums.absent += ev.absentShare[m];
        for (const double r : ev.windowShares[m]) {
            sums.total += r;
            sums.present += r;
        }
    }
    return sums;
}

void finishMotif(Motif& motif, const ShareSums& sums, const MotifCounts& counts)
{
    motif.presentWeight = sums.present / (sums.absent + sums.present);
    motif.absentWeight = 1 - motif.presentWeight;
    for (int i = 0; i < motif.width; ++i)
        for (int b = 0; b < 4; ++b)
            motif.rows[i][b] = counts[i][b] / sums.total;
}

// The two motifs of one signal share their windows; their counts are
// gathered together.
struct MotifPair {
    Signal signal;
    MotifId first;
    MotifId second;
};
constexpr std::array<MotifPair, signalCount> motifPairs{{
    {Signal::Terminator, MotifId::TerminatorBoundary, MotifId::TerminatorOperon},
    {Signal::Promoter, MotifId::PromoterBoundary, MotifId::PromoterOperon},
    {Signal::Sd, MotifId::SdOperon, MotifId::SdBoundary},
}};

} // namespace

void updateMotif(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                 MotifId motifId)
{
    Motif& motif = model.motif(motifId);
    const int m = index(motifId);
    MotifCounts counts = initialCounts(motif.width);
    MotifCounts unused = counts;
    for (int first = 0; first < motif.width; first += 4)
        detail::addRowCounts(material, evidence, signalOf(motifId), m, m, first, motif.width,
                             counts, unused);
    finishMotif(motif, shareSums(evidence, m), counts);
}

void updateMotifs(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                  Workers* workers)
{
    std::array<MotifCounts, motifCount> counts;
    std::array<ShareSums, motifCount> sums;
    for (const MotifId m : allMotifs)
        counts[index(m)] = initialCounts(model.motif(m).width);

    // Work items: four rows of one signal's two motifs, or the share sums of
    // one motif. Each writes only its own results.
    struct Item {
        int pair;     // index into motifPairs, or -1 for share sums
        int firstRow; // or the motif, for share sums
        std::uint64_t cost;
    };
    std::array<std::uint64_t, signalCount> windows{};
    for (std::size_t k = 0; k < evidence.pairs.size(); ++k)
        for (const MotifPair& mp : motifPairs)
            windows[static_cast<int>(mp.signal)] +=
                evidence.pairs[k].windowShares[index(mp.first)].size();
    std::vector<Item> items;
    for (int s = 0; s < signalCount; ++s)
        for (int first = 0; first < signalWidth(motifPairs[s].signal); first += 4)
            items.push_back({s, first, windows[static_cast<int>(motifPairs[s].signal)] * 8});
    for (const MotifId m : allMotifs)
        items.push_back({-1, index(m), windows[static_cast<int>(signalOf(m))]});

    auto runItem = [&](const Item& item) {
        if (item.pair < 0) {
            sums[item.firstRow] = shareSums(evidence, item.firstRow);
            return;
        }
        const MotifPair& mp = motifPairs[item.pair];
        detail::addRowCounts(material, evidence, mp.signal, index(mp.first), index(mp.second),
                             item.firstRow, signalWidth(mp.signal), counts[index(mp.first)],
                             counts[index(mp.second)]);
    };

    const int workerCount = workers ? workers->count() : 1;
    if (workerCount > 1) {
        // Largest first, each to the least loaded worker.
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& a, const Item& b) { return a.cost > b.cost; });
        std::vector<std::vector<const Item*>> assigned(workerCount);
        std::vector<std::uint64_t> load(workerCount, 0);
        for (const Item& item : items) {
            const auto w = std::min_element(load.begin(), load.end()) - load.begin();
            assigned[w].push_back(&item);
            load[w] += item.cost;
        }
        workers->run([&](int w) {
            for (const Item* item : assigned[w])
                runItem(*item);
        });
    } else {
        for (const Item& item : items)
            runItem(item);
    }

    for (const MotifId m : allMotifs)
        finishMotif(model.motif(m), sums[index(m)], counts[index(m)]);
}

} // namespace meridan::operon
