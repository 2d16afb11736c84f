// Scanning the upstream region of every gene with one promoter model and
// writing the score table of that sigma factor.
#pragma once

#include "meridan/ethrin/GenomeInput.h"
#include "meridan/ethrin/PromoterScanner.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace meridan::ethrin {

struct RegionSettings {
    int upstream = 250;  // bases before the start codon
    int downstream = 100; // bases from the start codon into the gene
    int keep = 1;        // hits kept per gene, best first
};

// Clamps the caller's values to what can be scanned: negative lengths to 0,
// lengths to at most 100000, keep to 1..1000, and the region to at most the
// genome's length (the downstream part first).
RegionSettings normalizedSettings(int upstream, int downstream, int keep, long genomeLength);

// One reported promoter. Genome positions are 1-based forward coordinates;
// a box position is the box's first base in the gene's direction (for a
// gene on "-" its highest coordinate).
struct PromoterHit {
    std::size_t gene = 0;   // index into the gene list
    long tss = 0;           // transcription start
    int start = 0;          // first base relative to the start codon (0 = its first base, negative upstream)
    double score = 0.0;     // log-odds minus the threshold
    long firstBoxPosition = 0;
    std::string firstBox;
    long secondBoxPosition = 0; // two-box models only
    std::string secondBox;
    int spacer = 0;
};

// The gene's region in its own direction: `upstream` bases before the start
// codon, then `downstream` bases from it on. The genome is taken as
// circular, so regions near the origin wrap around.
void geneRegion(std::span<const std::uint8_t> genome, const GeneRow& gene, const RegionSettings& settings,
                std::vector<std::uint8_t>& region);
// Forward coordinate (1-based) of a 0-based offset into the gene's region.
long regionToGenome(long genomeLength, const GeneRow& gene, const RegionSettings& settings, long offset);

// The `settings.keep` best hits of every gene, genes in list order, best
// hit first; a gene whose region is shorter than the model has none.
// `scanned`, when given, is told the number of genes done before each gene.
std::vector<PromoterHit> scanGenes(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                   const PromoterScanner& scanner, int tssOffset, double threshold,
                                   const RegionSettings& settings,
                                   const std::function<void(std::size_t)>& scanned = {});

// What a placement's context adds: the model's position and intergenic
// odds, looked up in a mask of the genome's bases that lie inside a gene.
struct ScanContext {
    const PromoterModel* model = nullptr; // null: no context scores
    std::vector<std::uint8_t> genic;      // one per genome base: 1 inside a gene of the table
    // Filled by prepareBonus: regionBonus of every gene, one region after
    // the other (empty: computed gene by gene).
    std::vector<double> bonus;
};
// The mask of bases covered by a gene of the table (either strand; a
// location whose end is before its start wraps around the origin).
std::vector<std::uint8_t> genicMask(long genomeLength, const std::vector<GeneRow>& genes);
// Bases directly before the gene's start codon that lie outside every gene
// (0 when another gene overlaps it), counted up to `limit`.
long upstreamGap(const std::vector<std::uint8_t>& genic, const GeneRow& gene, long limit);
// Context score of every base of a gene's region as a transcription start.
void regionBonus(const ScanContext& context, long genomeLength, const GeneRow& gene, const RegionSettings& settings,
                 std::vector<double>& bonus);

// Computes context.bonus for the model now in context.model.
void prepareBonus(ScanContext& context, long genomeLength, const std::vector<GeneRow>& genes,
                  const RegionSettings& settings);

// Hits with context scores; PromoterHit::score holds the raw log-odds, and
// bestPerGene (when given) receives each gene's best (-infinity for none).
// `scanned`, when given, is told the number of genes done before each gene.
std::vector<PromoterHit> scanGenes(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                   const PromoterScanner& scanner, const ScanContext& context,
                                   const RegionSettings& settings, std::vector<double>* bestPerGene,
                                   const std::function<void(std::size_t)>& scanned = {});
// The null the calibration compares with: every gene's region shuffled
// `shuffles` times (bases drawn without replacement, so each region keeps
// its own composition) scored with the context of another gene (the
// null is a region without promoter evidence, neither in its sequence nor
// in where it lies), and the best score of each. Deterministic for a seed.
std::vector<double> shuffledBestScores(std::span<const std::uint8_t> genome, const std::vector<GeneRow>& genes,
                                       const PromoterScanner& scanner, const ScanContext& context,
                                       const RegionSettings& settings, int shuffles, std::uint64_t seed,
                                       const std::function<void(std::size_t)>& scanned = {});

// One header line naming the columns, then one tab-separated line per hit:
// synonym, strand, tss, start, score, firstBox_pos, firstBox and, for a
// two-box model, secondBox_pos, secondBox, spacer.
void writeScoreTable(std::ostream& out, bool twoBoxes, const std::vector<GeneRow>& genes,
                     const std::vector<PromoterHit>& hits);

} // namespace meridan::ethrin
