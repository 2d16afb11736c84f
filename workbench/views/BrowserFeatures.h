// The features the genome browser draws, built once from a project: genes,
// operons and transcription units (named as the operon tree names them),
// promoters with their boxes, terminators with their hairpins, and running
// counts of the sequence for GC content and GC skew over any window, and
// the link probabilities of neighbouring genes when the run wrote them.
#pragma once

#include <QString>
#include <QVector>

#include <vector>

struct ProjectModel;

namespace browser {

enum class Kind { Gene, Operon, Unit, Promoter, Terminator, Link };

struct Feature {
    Kind kind = Kind::Gene;
    qint64 first = 0;        // 1-based, inclusive, first <= last
    qint64 last = -1;
    QChar strand;            // '+', '-' or '?'
    QString label;           // drawn when it fits
    QString tooltip;
    int gene = -1;           // the gene to select: itself, or the first gene
    bool alternative = false;// a unit of an operon with several units
    int operon = -1;         // tuMap key of an operon or unit
    QVector<int> members;    // the genes of an operon or unit, in order
    // Parts drawn inside: the promoter's -35 and -10 boxes, the
    // terminator's hairpin (second pair unused).
    qint64 partFirst[2] = {0, 0};
    qint64 partLast[2] = {-1, -1};
    double probability = -1; // a link's probability that its two genes share an operon
};

struct Features {
    qint64 genomeLength = 0;
    QVector<Feature> genes;       // in gene-index order
    QVector<Feature> operons;
    QVector<Feature> units;
    QVector<Feature> promoters;
    QVector<Feature> terminators;
    // The junctions between neighbouring genes with the run's probability
    // that they share an operon (gene = the first of the two); empty when
    // the run wrote no pair table.
    QVector<Feature> links;
    QVector<int> operonOfGene;    // tuMap key per gene, -1 when in no unit
    // Running counts of G+C, G-C and called bases (A, C, G or T) over the
    // first 32 k bases, for every k; a window's count adds the bases after
    // the last full block from the sequence itself.
    static constexpr int block = 32;
    QString sequence;
    std::vector<qint32> gc;
    std::vector<qint32> gMinusC;
    std::vector<qint32> called;

    // GC share (0..1) and skew (G-C)/(G+C) of bases first..last; -1 and 0
    // when the window holds no called base.
    double gcContent(qint64 first, qint64 last) const;
    double gcSkew(qint64 first, qint64 last) const;

private:
    struct Counts {
        qint64 gc = 0, gMinusC = 0, called = 0;
    };
    // Counts over the first n bases.
    Counts countsBefore(qint64 n) const;
    Counts countsOf(qint64 first, qint64 last) const;
};

Features buildFeatures(const ProjectModel &model);

// "Operon 390", as the operon tree names the operon of tuMap key k.
QString operonName(int key);

} // namespace browser
