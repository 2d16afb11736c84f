// Project input loading: the FNA, PTT, RNT and GBZ loaders, the work
// directory, the PTT/RNT merge and the readers of the annotation file and
// the genome sequence.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GenomeId.h"
#include "ProjectReaders.h"
#include "ResultNames.h"
#include "ResultViews.h"
#include "UserPrompts.h"

#include "meridan/pipeline/AnnotationMerge.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

using meridan::genomeIdFromPath;

bool MainWindow::resultFilesExist() const
{
    if (genomeId.isEmpty())
        return false;
    for (const QString& file : meridan::resultNames(resultDir, genomeId).predictionFiles()) {
        if (!QFileInfo::exists(file))
            return false;
    }
    return true;
}

bool MainWindow::openForCheck(const QString& fileName, const QString& warningTitle, const QString& failureText)
{
    setWindowTitle(QFileInfo(fileName).canonicalFilePath() + QStringLiteral("[*]"));
    setWindowModified(false);
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        return true;
    UserPrompts::current().warning(this, warningTitle, failureText.arg(fileName, file.errorString()));
    return false;
}

QString MainWindow::askFileName(const QString& statusText, const QString& caption, const QString& filter)
{
    showStatus(statusText);
    // A cancelled dialog returns an empty name; the loader then does nothing.
    return UserPrompts::current().openFileName(this, caption, QString(), filter);
}

QString MainWindow::loadFnaFile()
{
    const QString fileName = askFileName(tr("Load fna file"), tr("Open FNA File..."), tr("FNA-Files (*.fna)"));
    return fileName.isEmpty() ? QString() : acceptFnaFile(fileName);
}

bool MainWindow::mayReplaceGenome(const QString& fileName)
{
    if (fnaPath.isEmpty())
        return true;
    if (predictionRunning || anyThreadRunning()) {
        UserPrompts::current().warning(
            this, tr("Import"),
            tr("A prediction for %1 is running. Cancel it or wait for it before importing %2.")
                .arg(QFileInfo(fnaPath).fileName(), QFileInfo(fileName).fileName()));
        return false;
    }
    if (!model.tuMap.isEmpty()
        && !UserPrompts::current().question(
            this, tr("Import"),
            tr("Replace %1 by %2?\nThe results shown for %1 will be closed; their files stay in "
               "the result folder.")
                .arg(model.genomeTitle.isEmpty() ? QFileInfo(fnaPath).fileName() : model.genomeTitle,
                     QFileInfo(fileName).fileName())))
        return false;
    resetProject();
    return true;
}

void MainWindow::resetProject()
{
    model = ProjectModel();
    fnaPath.clear();
    pttPath.clear();
    rntPath.clear();
    gbzPath.clear();
    annotationPath.clear();
    genomeId.clear();
    projectReady = false;
    viewAllowed = false;
    ui->actionSummary->setEnabled(false);
    ui->actionDNA->setEnabled(false);
    resultViews->clear();
    updateRunActions();
}

QString MainWindow::acceptFnaFile(const QString& fileName)
{
    if (!mayReplaceGenome(fileName))
        return QString();
    model.circular = true;   // an import that knows better says so after
    if (!directoryChosen)
        resultDir = QStringLiteral("./results/");
    qDebug() << "workdirectory" << resultDir;
    if (!openForCheck(fileName, tr("Read file"), tr("Cannot read fna file %1： \n%2.")))
        return QString();
    fnaPath = QFileInfo(fileName).absoluteFilePath();
    setCurrentFile(fileName);
    return fnaPath;
}

QString MainWindow::acceptTableOfGenome(const QString& fileName, const QString& title, const QString& unreadable,
                                        const QString& mismatch)
{
    if (!openForCheck(fileName, title, unreadable))
        return QString();
    // A table of another genome is not kept: the project stays as it was.
    const QString candidate = QFileInfo(fileName).absoluteFilePath();
    if (fnaPath.isEmpty() || genomeIdFromPath(candidate) != genomeIdFromPath(fnaPath)) {
        UserPrompts::current().warning(this, title, mismatch.arg(fileName));
        return QString();
    }
    return candidate;
}

QString MainWindow::loadPttFile()
{
    const QString fileName = askFileName(tr("Load ptt file"), tr("Open PTT File..."), tr("PTT-Files (*.ptt)"));
    return fileName.isEmpty() ? QString() : acceptPttFile(fileName);
}

QString MainWindow::acceptPttFile(const QString& fileName)
{
    const QString candidate = acceptTableOfGenome(fileName, tr("Read file"), tr("Cannot read ptt file %1： \n%2."),
                                                  tr("ptt file %1： \n doesn't match."));
    if (candidate.isEmpty())
        return QString();
    pttPath = candidate;
    genomeId = genomeIdFromPath(candidate);
    projectReady = true;
    viewAllowed = resultFilesExist();
    updateRunActions();
    setCurrentFile(fileName);
    return pttPath;
}

QString MainWindow::loadRntFile()
{
    const QString fileName = askFileName(tr("Load rnt file"), tr("Open RNT File..."), tr("RNT-Files (*.rnt)"));
    return fileName.isEmpty() ? QString() : acceptRntFile(fileName);
}

QString MainWindow::acceptRntFile(const QString& fileName)
{
    const QString candidate = acceptTableOfGenome(fileName, tr("Read rnt file"), tr("Cannot read rnt file %1： \n%2."),
                                                  tr("ptt file %1： \ndoesn't match."));
    if (candidate.isEmpty())
        return QString();
    rntPath = candidate;
    // The PTT file stays loadable: the terminator engines need it, so the
    // prediction becomes available only with a matching PTT file.
    if (projectReady) {
        viewAllowed = resultFilesExist();
        updateRunActions();
    }
    setCurrentFile(fileName);
    return rntPath;
}

QString MainWindow::loadBzFile()
{
    const QString fileName = askFileName(tr("Load genebiaozhi file"), tr("Open genebiaozhi file..."),
                                         tr("TXT-Files (*.txt);;GBZ files (*.gbz);;All Files (*)"));
    return fileName.isEmpty() ? QString() : acceptBzFile(fileName);
}

QString MainWindow::acceptBzFile(const QString& fileName)
{
    if (!openForCheck(fileName, tr("Read file"), tr("Genebiaozhi %1： \n%2.")))
        return QString();
    ui->action_genebz->setEnabled(false);
    gbzPath = QFileInfo(fileName).absoluteFilePath();
    return gbzPath;
}

QString MainWindow::slotChangeDirectory()
{
    if (predictionRunning)
        return resultDir;
    showStatus(tr("Change Work Directory"));
    const QString directory =
        UserPrompts::current().existingDirectory(this, tr("Change Work Directory"), QDir::currentPath());
    // Cancelling keeps the current directory.
    if (directory.isEmpty())
        return resultDir;
    resultDir = directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
    directoryChosen = true;
    ui->actionChangeDirectory->setEnabled(false);
    if (projectReady)
        viewAllowed = resultFilesExist();
    updateRunActions();
    qDebug() << resultDir;
    return resultDir;
}

bool MainWindow::integratePtt_Rnt()
{
    annotationPath = meridan::annotationFilePath(genomeId);
    return meridan::pipeline::mergeAnnotation(QFile::encodeName(pttPath).toStdString(),
                                              QFile::encodeName(rntPath).toStdString(),
                                              QFile::encodeName(annotationPath).toStdString());
}

void MainWindow::readAnnotationFile()
{
    annotationPath = meridan::annotationFilePath(genomeId);
    // Without an annotation file (no RNT file was given) the engines read the
    // PTT file itself, so the genes come from there too.
    if (!meridan::readGeneTable(annotationPath, model) && !pttPath.isEmpty())
        meridan::readGeneTable(pttPath, model);
    if (!model.genomeTitle.isEmpty())
        setWindowTitle(model.genomeTitle);
}

void MainWindow::readGenomeFile()
{
    meridan::readGenomeSequence(fnaPath, model);
}
