#include "meridan/genome/AnnotatedGenome.h"

#include "meridan/genome/InputText.h"

#include <algorithm>

namespace meridan::genome {

namespace {

bool isProtein(const AnnotatedGene& gene) { return gene.type == "CDS"; }

// Parts beyond the end of a circular record continue at its start.
std::vector<LocationPart> wrappedParts(const std::vector<LocationPart>& parts, std::int64_t length)
{
    std::vector<LocationPart> result;
    for (const LocationPart& part : parts) {
        if (part.start <= length && part.end > length) {
            result.push_back({part.start, length});
            result.push_back({1, part.end - length});
        } else if (part.start > length) {
            result.push_back({part.start - length, part.end - length});
        } else {
            result.push_back(part);
        }
    }
    return result;
}

std::string placeGene(AnnotatedGene& gene, const AnnotatedRecord& record, std::int64_t length,
                      const std::string& sourceName)
{
    std::vector<LocationPart> parts = gene.parts;
    if (parts.empty())
        return lineMessage(sourceName, gene.sourceLine, "feature without a location");
    if (length > 0) {
        for (const LocationPart& part : parts)
            if (part.start < 1 || part.end > (record.circular ? 2 * length : length))
                return lineMessage(sourceName, gene.sourceLine,
                                   gene.type + " location " + std::to_string(part.start) + ".." +
                                       std::to_string(part.end) + " lies outside record " + record.id +
                                       " (" + std::to_string(length) + " bp)");
        if (record.circular)
            parts = wrappedParts(parts, length);
    }
    bool atEnd = false;
    bool atStart = false;
    std::int64_t total = 0;
    for (const LocationPart& part : parts) {
        atEnd = atEnd || part.end == length;
        atStart = atStart || part.start == 1;
        total += part.end - part.start + 1;
    }
    const bool acrossOrigin = length > 0 && parts.size() > 1 && atEnd && atStart;
    if (acrossOrigin) {
        // The part before the origin gives the left end, the part after it the right end.
        gene.start = length;
        gene.end = 1;
        for (const LocationPart& part : parts) {
            if (part.start > length / 2)
                gene.start = std::min(gene.start, part.start);
            else
                gene.end = std::max(gene.end, part.end);
        }
    } else {
        gene.start = parts.front().start;
        gene.end = parts.front().end;
        for (const LocationPart& part : parts) {
            gene.start = std::min(gene.start, part.start);
            gene.end = std::max(gene.end, part.end);
        }
    }
    gene.length = isProtein(gene) ? std::max<std::int64_t>(0, total / 3 - (gene.openThreePrime ? 0 : 1)) : total;
    return {};
}

bool byPosition(const AnnotatedGene& a, const AnnotatedGene& b)
{
    if (a.spansOrigin() != b.spansOrigin())
        return a.spansOrigin();
    if (a.start != b.start)
        return a.start < b.start;
    return a.end < b.end;
}

} // namespace

std::string placeGenes(AnnotatedRecord& record, const std::string& sourceName)
{
    const std::int64_t length =
        !record.sequence.empty() ? static_cast<std::int64_t>(record.sequence.size()) : record.declaredLength;
    for (auto* genes : {&record.proteins, &record.rnas}) {
        for (AnnotatedGene& gene : *genes)
            if (std::string problem = placeGene(gene, record, length, sourceName); !problem.empty())
                return problem;
        std::stable_sort(genes->begin(), genes->end(), byPosition);
    }
    return {};
}

std::vector<const AnnotatedRecord*> chromosomeFirst(const AnnotatedGenome& genome)
{
    std::vector<const AnnotatedRecord*> order;
    for (const AnnotatedRecord& record : genome.records)
        order.push_back(&record);
    std::stable_partition(order.begin(), order.end(), [](const AnnotatedRecord* r) { return !r->plasmid; });
    return order;
}

} // namespace meridan::genome
