#include "meridan/genome/GeneSequence.h"

namespace meridan::genome {

bool liesInsideGenome(const GeneRecord& gene, std::size_t genomeLength)
{
    return gene.start >= 1 && gene.end >= gene.start &&
           static_cast<std::size_t>(gene.end) <= genomeLength;
}

std::string geneSequence(const GeneRecord& gene, const std::string& sequence,
                         const std::string& reverseComplement)
{
    if (gene.strand != '+' && gene.strand != '-')
        return invalidStrandText;
    if (!liesInsideGenome(gene, sequence.size()) || reverseComplement.size() != sequence.size())
        return {};
    const std::size_t count = static_cast<std::size_t>(gene.end) - gene.start + 1;
    if (gene.strand == '+')
        return sequence.substr(static_cast<std::size_t>(gene.start) - 1, count);
    return reverseComplement.substr(sequence.size() - gene.end, count);
}

} // namespace meridan::genome
