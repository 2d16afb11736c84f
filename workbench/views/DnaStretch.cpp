#include "DnaStretch.h"

#include "ProjectModel.h"

#include <QLatin1Char>

DnaStretch dnaStretchAround(const QVector<GeneEntry>& genes, int geneIndex, int operonsEachSide,
                            int maxGenes)
{
    DnaStretch stretch;
    const int total = int(genes.size());
    if (geneIndex < 0 || geneIndex >= total || maxGenes < 1)
        return stretch;

    // Walk outwards from the gene over whole operons: an operon boundary is a
    // change of operon number between neighbours.
    int first = geneIndex;
    int last = geneIndex;
    auto width = [&] { return last - first + 1; };
    for (int crossed = 0; first > 0 && width() < maxGenes;) {
        if (genes[first - 1].operonNumber != genes[first].operonNumber) {
            if (crossed == operonsEachSide)
                break;
            ++crossed;
        }
        --first;
    }
    for (int crossed = 0; last + 1 < total && width() < maxGenes;) {
        if (genes[last + 1].operonNumber != genes[last].operonNumber) {
            if (crossed == operonsEachSide)
                break;
            ++crossed;
        }
        ++last;
    }

    stretch.firstGene = first;
    for (int g = first; g <= last; ++g) {
        const GeneEntry& gene = genes[g];
        if (g == first || gene.operonNumber != genes[g - 1].operonNumber)
            stretch.geneCounts.push_back(0);
        ++stretch.geneCounts.back();
        stretch.names << gene.gene;
        stretch.synonyms << gene.synonym;
        stretch.strands += gene.strand.isEmpty() ? QLatin1Char('?') : gene.strand.at(0);
        stretch.starts.push_back(gene.start);
        stretch.ends.push_back(gene.end);
    }
    return stretch;
}
