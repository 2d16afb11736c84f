// Result loading: after the three predictions (or from "View ATU") the
// annotation, the genome, the gene tags and the promoter and terminator
// scores are read into the project model and the TU-list run is started;
// its end reads the TU list and hands over to the views.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GenomeId.h"
#include "ResultNames.h"
#include "ResultReaders.h"

#include "meridan/pipeline/PromoterMerge.h"
#include "SummaryDialog.h"
#include "UnitTableModel.h"

#include <QDebug>
#include <QLabel>

void MainWindow::slotLoadResultFile()
{
    // Results are read only when no engine is writing them (a prediction or
    // the TU-list run of an earlier loading).
    if (anyThreadRunning() || cancelRequested)
        return;
    qDebug() << "Thread is finished";
    annotationPath = meridan::annotationFilePath(genomeId);
    const QString summaryPath = resultDir + genomeId + QStringLiteral("_summary.txt");
    qDebug() << "anofile address " << annotationPath;
    summaryDialog->setSummaryPath(summaryPath);
    summaryDialog->showStatistics();
    ui->actionSummary->setEnabled(true);

    // A repeated loading replaces everything instead of appending to it.
    model.clearResults();
    readAnnotationFile();
    readGenomeFile();
    slotLoadOperonResult();
    slotLoadPromoterResult();
    slotLoadTerminatorResult();
    startTulistThread();

    showStatusFor5Seconds(tr("Prediction is finished"));
    viewAllowed = false;
    updateRunActions();
}

void MainWindow::slotLoadOperonResult()
{
    qDebug() << "load Operon result";
    meridan::readGeneTags(meridan::resultNames(resultDir, genomeId).geneTags, model);
}

void MainWindow::slotLoadPromoterResult()
{
    qDebug() << "load Promoter result";
    meridan::readPromoterScores(resultDir + genomeId + QStringLiteral("_promoter_scores.txt"), model);
    meridan::readPromoterSigmas(resultDir, genomeId, model);
}

bool MainWindow::integratePromoterFile()
{
    // The promoter run merges the sigma files itself when the library returns;
    // this slot repeats the merge on demand.
    return meridan::pipeline::mergePromoterFiles("./results/", genomeId.toStdString());
}

void MainWindow::slotLoadTerminatorResult()
{
    qDebug() << "load terminator result";
    meridan::readTerminatorScores(resultDir + genomeId + QStringLiteral("_terminator_score.txt"), model);
}

void MainWindow::slotLoadTulistResult()
{
    const bool endOfRun = predictionRunning && !tulistThread.isRunning();
    if (cancelRequested) {
        finishCancelledRun();
        return;
    }
    qDebug() << "load tulist result.";
    meridan::readTuList(resultDir + genomeId + QStringLiteral("_tulist.txt"), model);
    // The link probabilities go into the model before any view is drawn from it.
    QString linksProblem;
    model.operonLinks = readOperonLinks(resultDir + genomeId + QStringLiteral("_operon_pairs.tsv"), &linksProblem);
    if (!linksProblem.isEmpty())
        showStatusFor5Seconds(linksProblem);
    if (endOfRun) {
        finishPrediction();
        const QStringList failures = tulistThread.failures();
        showStatusFor5Seconds(failures.isEmpty() ? tr("Prediction finished: %n unit(s)", nullptr, int(model.tuMap.size()))
                                                 : tr("Prediction finished; the TU list failed"));
        // The TU builder has just written this run's summary.
        summaryDialog->showStatistics();
    }
    emit Predict_Operon();
    if (endOfRun && !closeRequested)
        reportFailures(tulistThread.failures());
    // "Wait" on closing: the TU list and the summary are written and
    // loaded, so the window may go now.
    if (closeRequested && endOfRun)
        close();
}
