#include "meridan/operon/PairEvidence.h"

namespace meridan::operon {

Evidence::Evidence(const TrainingMaterial& material)
{
    const EncodedPairs& encoded = material.encoded;
    const std::size_t pairCount = encoded.regions.size();
    std::size_t total = 0;
    for (std::size_t k = 0; k < pairCount; ++k)
        for (const MotifId m : allMotifs)
            total += windowCount(signalOf(m), encoded.length(k, signalOf(m)));
    shareBuffer_.assign(total, 0.0);
    pairs.resize(pairCount);
    logTerms.assign(pairCount, 0.0);
    std::size_t offset = 0;
    for (std::size_t k = 0; k < pairCount; ++k) {
        for (const MotifId m : allMotifs) {
            const std::size_t n = windowCount(signalOf(m), encoded.length(k, signalOf(m)));
            pairs[k].windowShares[index(m)] = std::span<double>(shareBuffer_.data() + offset, n);
            offset += n;
        }
    }
}

} // namespace meridan::operon
