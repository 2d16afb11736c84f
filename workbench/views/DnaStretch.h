// The stretch of genome the genome browser opens on for one gene: the gene's
// operon with the operons around it.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

struct GeneEntry;

struct DnaStretch {
    std::vector<int> geneCounts; // genes of each operon, in genome order
    QStringList names;           // gene names, one per gene
    QStringList synonyms;        // locus tags, one per gene
    QString strands;             // one character per gene
    std::vector<int> starts;
    std::vector<int> ends;
    int firstGene = -1;          // gene index of the first gene of the stretch

    int operonCount() const { return int(geneCounts.size()); }
    int geneCount() const { return int(starts.size()); }
    bool isEmpty() const { return starts.empty(); }
};

// The operon of gene `geneIndex` together with up to `operonsEachSide`
// operons before and after it. Operons are runs of neighbouring genes with
// the same operon number; the stretch never holds more than `maxGenes` genes
// (a project without operon numbers would otherwise put the whole genome on
// one line). An index outside `genes` gives an empty stretch.
DnaStretch dnaStretchAround(const QVector<GeneEntry>& genes, int geneIndex,
                            int operonsEachSide = 2, int maxGenes = 200);
