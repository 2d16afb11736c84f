// Lays out the synthetic genome unit by unit. A unit is one operon in its
// direction of transcription: promoter, leader with a Shine-Dalgarno motif,
// genes separated by short gaps (each with its own motif), terminator. Units on
// the minus strand are reverse-complemented before they are appended, and
// units are separated by stretches of AT-rich background.
#include "SimulatedGenome.h"

#include "meridan/genome/GenomeSequence.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace meridan::simulation {

namespace {

// Portable draws: std::mt19937_64 is fully specified, the standard
// distributions are not, so the genome is the same with every library.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    int between(int low, int high) { return low + int(engine_() % std::uint64_t(high - low + 1)); }
    double unit() { return double(engine_() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }
    // An index drawn with the given weights.
    template <size_t N>
    int weighted(const std::array<int, N>& weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = between(0, total - 1);
        for (size_t i = 0; i < N; ++i) {
            if (r < weights[i])
                return int(i);
            r -= weights[i];
        }
        return int(N) - 1;
    }

private:
    std::mt19937_64 engine_;
};

std::string reverseComplement(const std::string& s)
{
    return meridan::genome::reverseComplementOf(s, 'N');
}

// A feature inside a unit, by offset from the unit's start in the direction of
// transcription.
struct UnitFeature {
    enum Kind { Gene, Promoter, Terminator } kind;
    int offset;
    int length;
    std::string detail;
};

class Builder {
public:
    explicit Builder(const SimulationParameters& p) : p_(p), random_(p.seed) {}

    SimulatedGenome build()
    {
        if (p_.accession.size() != 9)
            throw std::invalid_argument("the accession must be 9 characters long");
        if (p_.length < 5000)
            throw std::invalid_argument("the genome must be at least 5000 bases long");
        genome_.parameters = p_;
        genome_.sequence.reserve(size_t(p_.length));
        genome_.sequence += background(random_.between(100, 300));
        char strand = '+';
        while (int(genome_.sequence.size()) < p_.length - 6000) {
            // Neighbouring operons mostly share a strand, as in real genomes.
            if (!random_.chance(0.65))
                strand = strand == '+' ? '-' : '+';
            const bool rna = random_.chance(0.04);
            placeUnit(strand, rna);
            genome_.sequence += background(random_.between(10, 120));
        }
        genome_.sequence += background(p_.length - int(genome_.sequence.size()));
        nameGenes();
        return std::move(genome_);
    }

private:
    char backgroundBase()
    {
        static const char bases[] = {'A', 'T', 'C', 'G'};
        return bases[random_.weighted(std::array<int, 4>{30, 30, 20, 20})];
    }

    std::string background(int n)
    {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += backgroundBase();
        return s;
    }

    // A motif with at most a few changed bases.
    std::string mutated(std::string motif, double perBase)
    {
        for (char& c : motif)
            if (random_.chance(perBase))
                c = "ACGT"[random_.between(0, 3)];
        return motif;
    }

    std::string codon()
    {
        for (;;) {
            std::string c;
            for (int i = 0; i < 3; ++i)
                c += "ACGT"[random_.between(0, 3)];
            if (c != "TAA" && c != "TAG" && c != "TGA")
                return c;
        }
    }

    std::string codingSequence(int codons)
    {
        static const char* starts[] = {"ATG", "GTG", "TTG"};
        static const char* stops[] = {"TAA", "TGA", "TAG"};
        std::string s = starts[random_.weighted(std::array<int, 3>{90, 8, 2})];
        for (int i = 2; i < codons; ++i)
            s += codon();
        s += stops[random_.weighted(std::array<int, 3>{60, 30, 10})];
        return s;
    }

    // Background ending in a Shine-Dalgarno motif 5 to 9 bases before the
    // start codon that follows.
    std::string leaderWithMotif(int length)
    {
        const int gapToStart = random_.between(5, std::min(9, length - 6));
        return background(length - 6 - gapToStart) + mutated("AGGAGG", 0.05) + background(gapToStart);
    }

    std::string promoter(std::string& detail)
    {
        const std::string box35 = mutated("TTGACA", 0.06);
        const int spacer = 16 + random_.weighted(std::array<int, 3>{2, 6, 2});
        const std::string box10 = mutated("TATAAT", 0.06);
        detail = box35 + " " + std::to_string(spacer) + " " + box10;
        return box35 + background(spacer) + box10;
    }

    std::string terminator(std::string& detail)
    {
        const int stemLength = random_.between(7, 10);
        std::string stem;
        for (int i = 0; i < stemLength; ++i)
            stem += random_.chance(0.8) ? "GC"[random_.between(0, 1)] : "AT"[random_.between(0, 1)];
        static const char* loops[] = {"GAAA", "TTCG", "GCAA", "AACG", "TTTCG"};
        const std::string loop = loops[random_.between(0, 4)];
        const int tail = random_.between(7, 9);
        detail = "stem=" + std::to_string(stemLength) + " loop=" + std::to_string(loop.size())
                 + " tail=" + std::to_string(tail);
        std::string tailText(size_t(tail), 'T');
        if (random_.chance(0.3))
            tailText[size_t(random_.between(3, tail - 1))] = 'A';
        return stem + loop + reverseComplement(stem) + tailText;
    }

    void placeUnit(char strand, bool rna)
    {
        std::string unit;
        std::vector<UnitFeature> features;
        std::string detail;

        const std::string promoterText = promoter(detail);
        features.push_back({UnitFeature::Promoter, int(unit.size()), int(promoterText.size()), detail});
        unit += promoterText + background(random_.between(6, 8));   // to the transcription start

        const int geneCount = rna ? 1 : 1 + random_.weighted(std::array<int, 8>{30, 22, 16, 11, 8, 6, 4, 3});
        for (int g = 0; g < geneCount; ++g) {
            const std::string gene = rna ? background(random_.between(76, 120))
                                         : codingSequence(random_.between(100, 600));
            unit += g == 0 ? leaderWithMotif(random_.between(20, 40))
                           : leaderWithMotif(random_.between(12, 45));
            features.push_back({UnitFeature::Gene, int(unit.size()), int(gene.size()), std::string()});
            unit += gene;
        }

        unit += background(random_.between(4, 20));
        const std::string terminatorText = terminator(detail);
        features.push_back({UnitFeature::Terminator, int(unit.size()), int(terminatorText.size()), detail});
        unit += terminatorText + background(random_.between(5, 15));

        const int base = int(genome_.sequence.size());
        const int unitLength = int(unit.size());
        genome_.sequence += strand == '+' ? unit : reverseComplement(unit);
        record(strand, rna, base, unitLength, features);
    }

    // Turns unit offsets into genome coordinates and fills the records.
    void record(char strand, bool rna, int base, int unitLength, const std::vector<UnitFeature>& features)
    {
        const int operonIndex = int(genome_.operons.size());
        PlantedOperon operon;
        operon.strand = strand;
        const size_t first = genome_.genes.size();
        PlantedSignal promoterSignal, terminatorSignal;
        for (const UnitFeature& f : features) {
            const int start = strand == '+' ? base + f.offset + 1 : base + unitLength - f.offset - f.length + 1;
            const int end = start + f.length - 1;
            if (f.kind == UnitFeature::Gene) {
                genome_.genes.push_back(makeGene(start, end, strand, rna, f.length, operonIndex));
            } else {
                PlantedSignal& s = f.kind == UnitFeature::Promoter ? promoterSignal : terminatorSignal;
                s = PlantedSignal{strand, start, end, 0, f.detail};
            }
        }
        // Genes were added in transcription order; the tables list them by start.
        if (strand == '-')
            std::reverse(genome_.genes.begin() + long(first), genome_.genes.end());
        for (size_t i = first; i < genome_.genes.size(); ++i)
            operon.genes.push_back(int(i));
        operon.start = genome_.genes[size_t(operon.genes.front())].start;
        operon.end = genome_.genes[size_t(operon.genes.back())].end;
        promoterSignal.gene = strand == '+' ? operon.genes.front() : operon.genes.back();
        terminatorSignal.gene = strand == '+' ? operon.genes.back() : operon.genes.front();
        genome_.operons.push_back(operon);
        genome_.promoters.push_back(promoterSignal);
        genome_.terminators.push_back(terminatorSignal);
    }

    // Locus tags, PIDs and names numbered in genome order.
    void nameGenes()
    {
        int number = 0;
        for (SimulatedGene& g : genome_.genes) {
            ++number;
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "SG_%05d", number);
            g.synonym = buffer;
            g.pid = g.rna ? std::string("-") : std::to_string(700000000 + number * 3);
            g.name = (g.rna ? "srn" : "sg") + std::to_string(number);
        }
    }

    SimulatedGene makeGene(int start, int end, char strand, bool rna, int length, int operonIndex)
    {
        SimulatedGene g;
        g.start = start;
        g.end = end;
        g.strand = strand;
        g.rna = rna;
        g.operon = operonIndex;
        char buffer[32];
        if (rna) {
            g.lengthField = length;
            g.product = "simulated RNA";
            g.cog = "-";
            return g;
        }
        g.lengthField = length / 3 - 1;
        g.product = "simulated protein of operon " + std::to_string(operonIndex + 1);
        // Genes of one operon mostly share a functional category.
        static const std::string categories = "CEFGHIJKLMNOPQRSTUV";
        if (operonCategory_.size() <= size_t(operonIndex))
            operonCategory_.resize(size_t(operonIndex) + 1, 0);
        char& shared = operonCategory_[size_t(operonIndex)];
        if (!shared)
            shared = categories[size_t(random_.between(0, int(categories.size()) - 1))];
        if (random_.chance(0.1)) {
            g.cog = "-";
        } else {
            const char category = random_.chance(0.8) ? shared
                                  : categories[size_t(random_.between(0, int(categories.size()) - 1))];
            std::snprintf(buffer, sizeof buffer, "COG%04d%c", random_.between(1, 4999), category);
            g.cog = buffer;
        }
        return g;
    }

    SimulationParameters p_;
    Random random_;
    SimulatedGenome genome_;
    std::vector<char> operonCategory_;
};

} // namespace

SimulatedGenome simulateGenome(const SimulationParameters& parameters)
{
    return Builder(parameters).build();
}

} // namespace meridan::simulation
