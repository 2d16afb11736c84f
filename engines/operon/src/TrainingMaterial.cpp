#include "meridan/operon/TrainingMaterial.h"

#include "meridan/genome/GeneSequence.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace meridan::operon {

namespace {

constexpr std::array<std::uint8_t, 256> makeCodeTable()
{
    std::array<std::uint8_t, 256> table{};
    for (auto& c : table)
        c = 4;
    table['A'] = 0;
    table['C'] = 1;
    table['G'] = 2;
    table['T'] = 3;
    return table;
}

constexpr auto codeTable = makeCodeTable();
constexpr int reportedGenesLimit = 10;

std::vector<GeneWithSequence> genesWithSequence(const genome::GenomeSequence& genome,
                                                const genome::GeneTable& table, std::ostream& log)
{
    std::vector<GeneWithSequence> genes;
    genes.reserve(table.genes.size());
    int leftOut = 0;
    for (std::size_t i = 0; i < table.genes.size(); ++i) {
        const genome::GeneRecord& gene = table.genes[i];
        const bool validStrand = gene.strand == '+' || gene.strand == '-';
        std::string sequence =
            validStrand ? genome::geneSequence(gene, genome.sequence, genome.reverseComplement)
                        : std::string();
        if (sequence.empty()) {
            if (++leftOut <= reportedGenesLimit) {
                log << "gene " << i << " (" << gene.location << " " << gene.strand << ") ";
                if (!validStrand)
                    log << "has a strand other than + or -";
                else if (gene.end < gene.start)
                    log << "ends before it starts";
                else
                    log << "does not lie inside the genome of length " << genome.length;
                log << ": left out of the candidate pairs\n";
            }
            continue;
        }
        genes.push_back(GeneWithSequence{gene, std::move(sequence), i});
    }
    if (leftOut > reportedGenesLimit)
        log << leftOut << " genes in all were left out of the candidate pairs\n";
    return genes;
}

} // namespace

std::uint8_t baseCode(char c)
{
    return codeTable[static_cast<unsigned char>(c)];
}

std::array<double, 4> baseComposition(const std::vector<const std::string*>& regions)
{
    std::array<std::int64_t, 4> counts{};
    std::int64_t total = 0;
    for (const std::string* region : regions) {
        for (const char c : *region) {
            const std::uint8_t code = baseCode(c);
            if (code < 4)
                ++counts[code];
        }
        total += static_cast<std::int64_t>(region->size());
    }
    std::array<double, 4> fractions{};
    for (int b = 0; b < 4; ++b)
        fractions[b] = static_cast<double>(counts[b]) / static_cast<double>(total);
    return fractions;
}

EncodedPairs encodePairs(const std::vector<CandidatePair>& pairs)
{
    EncodedPairs encoded;
    encoded.regions.reserve(pairs.size());
    encoded.categoryCell.reserve(pairs.size());
    for (const CandidatePair& pair : pairs) {
        std::array<RegionSlice, signalCount> slices{};
        const std::array<const std::string*, signalCount> texts{
            &pair.terminatorRegion, &pair.promoterRegion, &pair.sdRegion};
        for (int s = 0; s < signalCount; ++s) {
            slices[s].offset = static_cast<std::uint32_t>(encoded.codes.size());
            slices[s].length = static_cast<std::uint32_t>(texts[s]->size());
            for (const char c : *texts[s]) {
                encoded.codes.push_back(baseCode(c));
                slices[s].acgtOnly = slices[s].acgtOnly && encoded.codes.back() < 4;
            }
        }
        encoded.regions.push_back(slices);
        const std::string& label = pair.categoryLabel;
        if (label.size() >= 3 && label != "-")
            encoded.categoryCell.push_back({categoryIndex(label[0]), categoryIndex(label[2])});
        else
            encoded.categoryCell.push_back({-1, -1});
    }
    // Padding, so that scoring code may read a few codes past the last region.
    encoded.codes.insert(encoded.codes.end(), EncodedPairs::padding, 4);
    encoded.laneIndex.reserve(encoded.codes.size());
    for (const std::uint8_t code : encoded.codes) {
        const std::uint64_t c = code < 4 ? code : 0;
        encoded.laneIndex.push_back((2 * c) | ((2 * c + 1) << 32));
    }
    return encoded;
}

TrainingMaterial buildTrainingMaterial(const genome::GenomeSequence& genome,
                                       const genome::GeneTable& table, std::ostream& log,
                                       const genome::RecordTable& records)
{
    TrainingMaterial material;
    material.genes = genesWithSequence(genome, table, log);

    int clippedPairs = 0;
    for (std::size_t i = 0; i + 1 < material.genes.size(); ++i) {
        const genome::GeneRecord& first = material.genes[i].gene;
        const genome::GeneRecord& second = material.genes[i + 1].gene;
        if (first.strand != second.strand || !records.sameRecord(first.start, second.start))
            continue;
        CandidatePair pair;
        pair.first = i;
        pair.second = i + 1;
        pair.strand = first.strand;
        const std::int64_t gap = std::int64_t{second.start} - first.end - 1;
        pair.distance = static_cast<std::int32_t>(std::clamp<std::int64_t>(gap, 0, 100));
        pair.categoryLabel = categoryLabel(first.cog, second.cog);
        SignalRegions regions = cutSignalRegions(first, second, pair.strand, genome);
        clippedPairs += regions.clipped;
        pair.terminatorRegion = std::move(regions.terminatorRegion);
        pair.promoterRegion = std::move(regions.promoterRegion);
        pair.sdRegion = std::move(regions.sdRegion);
        material.pairs.push_back(std::move(pair));
    }
    if (clippedPairs > 0)
        log << clippedPairs
            << " candidate pairs have a signal region that reached past the genome's ends; "
               "it was cut short\n";

    std::vector<const std::string*> terminatorRegions, promoterRegions;
    std::size_t sdRegions = 0;
    for (const CandidatePair& pair : material.pairs) {
        terminatorRegions.push_back(&pair.terminatorRegion);
        promoterRegions.push_back(&pair.promoterRegion);
        sdRegions += !pair.sdRegion.empty();
    }
    material.terminatorBackground = baseComposition(terminatorRegions);
    material.promoterBackground = baseComposition(promoterRegions);
    material.encoded = encodePairs(material.pairs);

    log << "allpairs size=" << material.pairs.size() << '\n';
    log << "all sd size:" << sdRegions << '\n';
    log << "allpairs_interval_size=" << terminatorRegions.size() << '\n';

    // Windows one class of each signal scores per iteration: the measure of
    // an iteration's work (window count times motif width, for both classes,
    // once in the expectation and once in the maximisation step).
    std::array<std::uint64_t, signalCount> windows{};
    for (std::size_t k = 0; k < material.pairs.size(); ++k)
        for (int s = 0; s < signalCount; ++s)
            windows[s] +=
                windowCount(static_cast<Signal>(s), material.encoded.regions[k][s].length);
    log << "windows terminator=" << windows[0] << " promoter=" << windows[1] << " sd=" << windows[2]
        << '\n';
    return material;
}

} // namespace meridan::operon
