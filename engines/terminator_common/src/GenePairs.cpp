#include "terminator/GenePairs.h"

#include "meridan/genome/TextFields.h"
#include "terminator/RunError.h"

#include <cstddef>

namespace meridan::terminator {

std::vector<GenePair> formGenePairs(const std::vector<LocusRecord>& genes)
{
    // next[i]: the first gene after i on the same strand, found in one
    // backward sweep so that long runs of the other strand cost nothing.
    const std::size_t none = genes.size();
    std::vector<std::size_t> next(genes.size(), none);
    std::size_t nextPlus = none;
    std::size_t nextMinus = none;
    for (std::size_t i = genes.size(); i-- > 0;) {
        std::size_t& sameStrand = genes[i].strand == '-' ? nextMinus : nextPlus;
        next[i] = sameStrand;
        sameStrand = i;
    }
    std::vector<GenePair> pairs;
    for (std::size_t i = 0; i < genes.size(); ++i) {
        if (next[i] != none)
            pairs.push_back({genes[i], genes[next[i]]});
    }
    return pairs;
}

std::vector<GenePair> formGenePairs(const std::vector<LocusRecord>& genes, const genome::RecordTable& records)
{
    if (!records.joined())
        return formGenePairs(genes);
    std::vector<GenePair> pairs;
    genome::forEachRecordRun(
        records, genes, [](const LocusRecord& gene) { return genome::leadingInteger(gene.startText); },
        [&](std::size_t first, std::size_t last) {
            const std::vector<LocusRecord> run(genes.begin() + first, genes.begin() + last);
            for (GenePair& pair : formGenePairs(run))
                pairs.push_back(std::move(pair));
        });
    return pairs;
}

genome::RecordTable recordTableOf(const std::string& fnaPath)
{
    auto records = genome::readRecordTableBeside(fnaPath);
    if (!records)
        throw RunError(records.error);
    return std::move(*records.value);
}

} // namespace meridan::terminator
