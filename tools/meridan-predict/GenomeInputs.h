// What meridan-predict is given, turned into the genomes the engines predict:
// an FNA/PTT[/RNT] triple as it is, or a GenBank / GFF3 file (with its FASTA
// file when the GFF3 has no sequence) split into one genome per record, each
// written as FNA/PTT/RNT into the annotation folder.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

struct GenomeJob {
    QString genomeId;
    QString fnaPath;
    QString pttPath;
    QString rntPath; // may be empty
    int proteins = -1; // -1 when not counted (FNA/PTT form)
    int rnas = -1;
};

struct GenomeInputs {
    QVector<GenomeJob> jobs;   // in prediction order, chromosome first
    QStringList notes;         // records skipped, pseudogenes left out, ...
    QString problem;           // set when nothing can be predicted
    bool fromAnnotation = false;
};

// True when the arguments name an annotation file (GenBank or GFF3) rather
// than the FNA/PTT[/RNT] triple: one file, or a second file that is GFF3 or
// GenBank by its content.
bool isAnnotationForm(const QStringList& files);

// Checks an FNA/PTT[/RNT] triple; empty when usable, else the user message.
QString checkTableInputs(const QStringList& files);

// Builds the genomes. Annotation forms are read and written under
// annotationFolder; the FNA/PTT form is copied there when copyTables is set
// (the copies are then what the engines read). Paths must be absolute.
GenomeInputs prepareGenomes(const QStringList& files, const QString& annotationFolder, bool copyTables);
