#include "WindowKernels.h"
#include "meridan/operon/ModelFit.h"
#include "meridan/operon/Workers.h"

#include <algorithm>

namespace meridan::operon {

namespace {

using detail::MotifCounts;

constexpr std::size_t pairsPerBlock = 256;

// Counts start at one per base (the pseudocount).
MotifCounts initialCounts(int width)
{
    MotifCounts counts{};
    for (int i = 0; i < width; ++i)
        counts[i] = {1, 1, 1, 1};
    return counts;
}

using detail::ShareSums;

void finishMotif(Motif& motif, const ShareSums& sums, const MotifCounts& counts)
{
    motif.presentWeight = sums.present / (sums.absent + sums.present);
    motif.absentWeight = 1 - motif.presentWeight;
    for (int i = 0; i < motif.width; ++i)
        for (int b = 0; b < 4; ++b)
            motif.rows[i][b] = counts[i][b] / sums.total;
}

} // namespace

void updateMotif(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                 MotifId motifId)
{
    Motif& motif = model.motif(motifId);
    const int m = index(motifId);
    MotifCounts counts = initialCounts(motif.width);
    MotifCounts unused = counts;
    ShareSums sums, unusedSums;
    for (int first = 0; first < motif.width; first += 4)
        detail::addRowCounts(material, evidence, 0, evidence.pairs.size(), signalOf(motifId), m, m,
                             first, motif.width, counts, unused, first == 0 ? &sums : nullptr,
                             first == 0 ? &unusedSums : nullptr);
    finishMotif(motif, sums, counts);
}

void updateMotifs(OperonModel& model, const TrainingMaterial& material, const Evidence& evidence,
                  Workers* workers)
{
    std::array<MotifCounts, motifCount> counts;
    std::array<ShareSums, motifCount> sums;
    for (const MotifId m : allMotifs)
        counts[index(m)] = initialCounts(model.motif(m).width);

    // Work items: four rows of one signal's two motifs (the first four also
    // take the share sums). Each writes only its own results.
    struct Item {
        int pair; // index into signalMotifs
        int firstRow;
        std::uint64_t cost;
    };
    std::array<std::uint64_t, signalCount> windows{};
    for (std::size_t k = 0; k < evidence.pairs.size(); ++k)
        for (const SignalMotifs& mp : signalMotifs)
            windows[static_cast<int>(mp.signal)] +=
                evidence.pairs[k].windowShares[index(mp.first)].size();
    std::vector<Item> items;
    for (int s = 0; s < signalCount; ++s) {
        const int width = signalWidth(signalMotifs[s].signal);
        for (int first = 0; first < width; first += 4) {
            const std::uint64_t rows = std::min(4, width - first) + (first == 0 ? 1 : 0);
            items.push_back({s, first, windows[static_cast<int>(signalMotifs[s].signal)] * rows});
        }
    }

    // Each worker takes its items a block of pairs at a time, so that the
    // block's shares are still in the cache for its next item; every count
    // still receives its shares in pair order.
    auto runItems = [&](const std::vector<const Item*>& mine) {
        const std::size_t pairCount = evidence.pairs.size();
        for (std::size_t begin = 0; begin < pairCount; begin += pairsPerBlock) {
            const std::size_t end = std::min(pairCount, begin + pairsPerBlock);
            for (const Item* item : mine) {
                const SignalMotifs& mp = signalMotifs[item->pair];
                const int m1 = index(mp.first), m2 = index(mp.second);
                const bool withSums = item->firstRow == 0;
                detail::addRowCounts(material, evidence, begin, end, mp.signal, m1, m2,
                                     item->firstRow, signalWidth(mp.signal), counts[m1], counts[m2],
                                     withSums ? &sums[m1] : nullptr,
                                     withSums ? &sums[m2] : nullptr);
            }
        }
    };

    const int workerCount = workers ? workers->count() : 1;
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
    if (workerCount > 1)
        workers->run([&](int w) { runItems(assigned[w]); });
    else
        runItems(assigned[0]);

    for (const MotifId m : allMotifs)
        finishMotif(model.motif(m), sums[index(m)], counts[index(m)]);
}

} // namespace meridan::operon
