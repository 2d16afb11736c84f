// The in-memory project of one genome: its genes, its predicted promoters,
// terminators and transcription units, and its sequence. Filled by the
// result loaders, read by the views, the tree and the gene search.
#pragma once

#include <QHash>
#include <QMap>
#include <QMultiMap>
#include <QString>
#include <QStringList>
#include <QVector>

// One promoter prediction; keyed in promoterMap by the synonym of its gene.
struct PromoterEntry {
    int start = 0;
    int end = 0;
    int spacer = 0;              // bases between the boxes; 0 for a one-box model
    QString name;
    double score = 0.0;
    QString firstBox;            // shown as the -35 region
    QString secondBox;           // shown as the -10 region, or "-"
    QString sigma;               // "70", "38", "32" or "24"; empty when unknown
};

// One gene of the project, in annotation-file order; its position in
// ProjectModel::genes is the gene index used by every result file. Its
// promoter and terminator are found by its synonym in promoterMap and
// terminatorMap.
struct GeneEntry {
    int start = 0;
    int end = 0;
    QString strand;
    QString gene;
    QString cog;
    int sdPosition = 0;
    int taPosition = 0;
    int terminatorPosition = 0;
    int operonNumber = 0;
    int length = 0;
    QString product;             // every word followed by one blank
    QString pid;
    QString synonym;
};

// The name a gene is shown by: its gene name, or its locus tag (synonym)
// when it has no name ("-" or empty).
inline QString displayName(const GeneEntry& gene)
{
    const QString name = gene.gene.trimmed();
    return name.isEmpty() || name == QLatin1String("-") ? gene.synonym : name;
}

// One terminator of the scan table; keyed in terminatorMap by the synonym of
// the gene it follows.
struct TerminatorEntry {
    int start = 0;
    int stem = 0;
    int loop = 0;
    int tail = 0;
    int totalLength = 0;
    QString sequence;
    QString label;
    double score = 0.0;
};

// One transcription unit of the TU list; keyed in tuMap by groupNumber.
struct TuEntry {
    int groupNumber = 0;
    int unitNumber = 0;
    QVector<int> geneIndexes;
    QString strand;
    QString geneNames;           // each member's gene name followed by "/"
    QStringList members;         // synonym|PID|index as read
    QString promoterBox35;
    QString promoterBox10;
    QString terminatorSequence;
};

// Everything the workbench knows about the loaded genome.
struct ProjectModel {
    QVector<GeneEntry> genes;
    QMap<QString, PromoterEntry> promoterMap;
    QVector<TerminatorEntry> terminators;
    QMap<QString, TerminatorEntry> terminatorMap;
    // Several units per operon; within a key the most recently inserted
    // unit comes first, as QMultiMap::insert keeps them.
    QMultiMap<int, TuEntry> tuMap;
    // The evidence step's probability that two neighbours share an operon,
    // keyed "first<TAB>second" by locus tags; empty when the run wrote none.
    QHash<QString, double> operonLinks;

    QString forwardSequence;
    QString complementSequence;  // base-wise complement, same direction
    QString genomeTitle;
    int genomeLength = 0;
    int geneCount = 0;
    // False only for a replicon its annotation file says is linear (a
    // GenBank LOCUS line); FNA/PTT files do not tell, and bacterial
    // chromosomes and plasmids are taken as circular.
    bool circular = true;

    // Empties the result containers and the gene list, so that loading the
    // results again never duplicates anything.
    void clearResults()
    {
        genes.clear();
        promoterMap.clear();
        terminators.clear();
        terminatorMap.clear();
        tuMap.clear();
        operonLinks.clear();
        geneCount = 0;
    }
};
