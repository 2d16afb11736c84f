// File > Import of annotation files: a GenBank or GFF3 genome with its
// sequences, or a GFF3 annotation for the FASTA file already loaded. The
// record to work on is asked for when there are several (chromosome first,
// after the choice of all records as one genome); it is written to
// annotation/ as FNA/PTT/RNT and loaded like those files.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GenomeImport.h"
#include "UserPrompts.h"

#include <QAction>
#include <QDebug>
#include <QDir>

void MainWindow::setUpImportActions()
{
    QAction* genome = new QAction(tr("Genome file (GenBank or GFF3 with sequence)\u2026"), this);
    genome->setObjectName(QStringLiteral("action_importGenome"));
    QAction* annotation = new QAction(tr("Annotation (GFF3) for the loaded FASTA\u2026"), this);
    annotation->setObjectName(QStringLiteral("action_importAnnotation"));
    ui->menu_file->addSeparator();
    ui->menu_file->addAction(genome);
    ui->menu_file->addAction(annotation);
    connect(genome, &QAction::triggered, this, [this] { importGenomeFile(); });
    connect(annotation, &QAction::triggered, this, [this] { importAnnotationForFasta(); });
}

QString MainWindow::importGenomeFile()
{
    const QString fileName = askFileName(tr("Import genome file"), tr("Open GenBank or GFF3 File..."),
                                         tr("Genome files (*.gbff *.gbk *.gb *.gff *.gff3 *.gz);;All Files (*)"));
    return fileName.isEmpty() ? QString() : importAnnotatedGenome(fileName, QString());
}

QString MainWindow::importAnnotationForFasta()
{
    if (fnaPath.isEmpty()) {
        UserPrompts::current().warning(this, tr("Import annotation"), tr("Load the FASTA file first."));
        return QString();
    }
    const QString fileName = askFileName(tr("Import annotation"), tr("Open GFF3 File..."),
                                         tr("GFF3 files (*.gff *.gff3 *.gz);;All Files (*)"));
    return fileName.isEmpty() ? QString() : importAnnotatedGenome(fileName, fnaPath);
}

QString MainWindow::importAnnotatedGenome(const QString& annotationFile, const QString& fastaFile)
{
    GenomeImport import;
    if (!import.read(annotationFile, fastaFile)) {
        UserPrompts::current().warning(this, tr("Import"), import.problem());
        return QString();
    }
    const QStringList records = import.recordLabels();
    const QString whole = import.wholeGenomeLabel();
    int index = 0;   // -1: all records as one genome
    if (records.size() > 1) {
        QStringList choices = records;
        if (!whole.isEmpty())
            choices.prepend(whole);
        const QString chosen = UserPrompts::current().item(this, tr("Choose a record"),
                                                           tr("The file holds %1 records. Work on:").arg(records.size()),
                                                           choices);
        index = chosen == whole && !whole.isEmpty() ? -1 : int(records.indexOf(chosen));
        if (chosen.isEmpty() || (index < 0 && chosen != whole))
            return QString();
    }
    // Refused during a run; a genome with results shown is replaced only
    // when the user agrees.
    if (!mayReplaceGenome(annotationFile))
        return QString();
    GenomeImport::Files files;
    const QString folder = QDir::current().absoluteFilePath(QStringLiteral("annotation"));
    if (!QDir().mkpath(QStringLiteral("annotation")) ||
        !(index < 0 ? import.writeWholeGenome(folder, files) : import.writeRecord(index, folder, files))) {
        UserPrompts::current().warning(this, tr("Import"), import.problem());
        return QString();
    }
    // The record starts a project of its own, loaded like FNA/PTT/RNT files.
    fnaPath.clear();
    pttPath.clear();
    rntPath.clear();
    projectReady = false;
    if (acceptFnaFile(files.fna).isEmpty() || acceptPttFile(files.ptt).isEmpty())
        return QString();
    if (!files.rnt.isEmpty())
        acceptRntFile(files.rnt);
    model.circular = files.circular;
    setWindowTitle(files.title + QStringLiteral("[*]"));
    for (const QString& note : import.notes())
        qInfo().noquote() << note;
    showStatus(index < 0 ? tr("Imported %1: %2 of %3 records as one genome")
                               .arg(files.genomeId)
                               .arg(files.records)
                               .arg(records.size())
                         : tr("Imported record %1").arg(files.genomeId));
    return files.genomeId;
}
