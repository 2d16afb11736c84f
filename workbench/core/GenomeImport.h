// Importing a genome from annotation files into the workbench: a GenBank or
// GFF3 file with its sequences, or a GFF3 file for a FASTA file. The chosen
// record, or all records joined as one genome as the command line predicts
// them, is written as the FNA/PTT/RNT files the loaders and engines take.
#pragma once

#include "meridan/genome/AnnotatedGenome.h"

#include <QString>
#include <QStringList>

class GenomeImport {
public:
    // Reads annotationPath (and the sequences from fastaPath when given);
    // false with problem() set when the files cannot be used.
    bool read(const QString& annotationPath, const QString& fastaPath = QString());
    QString problem() const { return problem_; }

    // One label per record, chromosome first: "NC_000913.3 – Escherichia
    // coli … (4298 protein genes)".
    QStringList recordLabels() const;


    struct Files {
        QString genomeId, title, fna, ptt, rnt; // rnt empty without RNA genes
        bool circular = true;                   // false when the file says linear
        int records = 1;                        // records joined into the genome
    };
    // Writes record `index` (of recordLabels()) into folder; false with
    // problem() set when it has fewer than two protein genes or cannot be written.
    bool writeRecord(int index, const QString& folder, Files& files);

    // With two or more records that can be predicted: "All 87 records as one
    // genome (3136 protein genes)"; empty otherwise.
    QString wholeGenomeLabel() const;
    // Writes the records with two or more protein genes, joined as one
    // genome named after the file, into folder (with the table of where
    // each record lies); notes() then names the records left out.
    bool writeWholeGenome(const QString& folder, Files& files);
    QStringList notes() const { return notes_; }

private:
    meridan::genome::AnnotatedGenome genome_;
    std::vector<const meridan::genome::AnnotatedRecord*> order_;
    QString path_;
    QString problem_;
    QStringList notes_;
};
