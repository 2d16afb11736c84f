// The evidence for and against one operon link between two adjacent genes,
// gathered from the gene table and the other engines' results, and the same
// evidence at places where an operon certainly ends (neighbours on opposite
// strands), which anchor the boundary class of the combination.
#pragma once

#include "meridan/evidence/ResultInputs.h"
#include "meridan/genome/RecordTable.h"

#include <optional>
#include <vector>

namespace meridan::evidence {

// Whether the two genes share a functional (COG) category; Unknown when one
// of them has none (itself telling: such genes are often transcribed alone).
enum class CategoryMatch { Unknown, Shared, Different };

// Whether the two genes' names share their stem, the three lower-case
// letters of a name such as "thrA": genes of one pathway are named alike and
// often transcribed together. Provisional names starting with "y" are given
// by map position, so neighbours share their stem whatever their function;
// they are a class of their own. Unknown when either gene lacks such a name.
enum class NameMatch { Unknown, Different, SharedStem, SharedProvisionalStem };

// How the two genes of a pair face each other.
enum class Orientation { Same, Convergent, Divergent };

struct PairSignals {
    std::size_t row = 0;                 // the pair joins gene-table rows row and row + 1
    Orientation orientation = Orientation::Same;
    std::optional<long> gap;             // bases between the genes, negative when they overlap
    std::optional<bool> engineLink;      // the operon engine put both genes into one operon
    std::optional<double> terminator;    // best hairpin score between the genes; 0 when none
    std::optional<double> promoter;      // best sigma-70 score in front of the downstream gene
    CategoryMatch category = CategoryMatch::Unknown;
    std::optional<double> product;       // share of the informative product words the genes have in common
    std::optional<double> lengthRatio;   // |ln(length of one gene / length of the other)|
    NameMatch name = NameMatch::Unknown;
    // Comparative evidence: the summed weight of the panel genomes that keep
    // the two genes' homologues side by side (nothing when no panel genome
    // holds homologues of both), how many genomes hold both, and how many of
    // those keep them together.
    std::optional<double> panel;
    int panelGenomes = 0, panelConserved = 0;
};

struct GenomeSignals {
    std::vector<PairSignals> candidates; // adjacent same-strand genes with distinct locus tags
    std::vector<PairSignals> boundaries; // observations at certain operon ends (anchors)
};

// tags may be empty (no engine evidence); promoter hits and terminator rows
// are matched to genes by locus tag. Neighbours on two records of a joined
// genome are neither a candidate nor a boundary.
GenomeSignals collectSignals(const std::vector<TableGene>& genes, const std::vector<GeneTagLine>& tags,
                             const std::vector<PromoterHit>& promoters, const std::vector<TerminatorRow>& terminators,
                             const genome::RecordTable& records = {});

// How the stems of two gene names compare.
NameMatch nameMatch(const std::string& a, const std::string& b);

// The words of two product descriptions in common, as a share of all their
// informative words (annotation filler such as "putative" or "protein" left
// out); nothing when either description has no informative word.
std::optional<double> productSimilarity(const std::string& a, const std::string& b);

} // namespace meridan::evidence
