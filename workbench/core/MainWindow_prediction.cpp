// The prediction runs: starting the operon, promoter, terminator and TU-list
// threads, waiting for the three predictions, the progress bar, and telling
// the user which engine stages failed.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "SummaryDialog.h"
#include "UserPrompts.h"

#include "meridan/genome/InputCheck.h"

#include <QAction>
#include <QDebug>
#include <QFile>
#include <QMenu>
#include <QToolBar>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QTimer>

#include <algorithm>

void MainWindow::setupOperonModeChoice()
{
    evidenceOperonsAction = new QAction(tr("Refine operons with &evidence"), this);
    evidenceOperonsAction->setCheckable(true);
    evidenceOperonsAction->setStatusTip(tr("Decide operons again from the intergenic distance, functional "
                                           "categories, product descriptions, gene lengths and gene names, learned from the genome"));
    const QString key = QStringLiteral("prediction/evidenceOperons");
    // The evidence mode decides operons best on every benchmark genome.
    evidenceOperonsAction->setChecked(QSettings().value(key, true).toBool());
    connect(evidenceOperonsAction, &QAction::toggled, this, [key](bool on) { QSettings().setValue(key, on); });
    ui->menu_predict->insertAction(ui->action_View, evidenceOperonsAction);
}

void MainWindow::refineOperonsIfChosen()
{
    if (!evidenceOperonsAction || !evidenceOperonsAction->isChecked() || !operonThread.failures().isEmpty())
        return;
    bool ok = false;
    operonThread.setPanel(QSettings().value(QStringLiteral("prediction/panel")).toString());
    const QString message = operonThread.refineOperons(ok);
    qDebug() << message;
    if (!ok)
        reportFailures({tr("Operon evidence: %1; the operon engine's operons are shown").arg(message)});
}

void MainWindow::prepareThread(Thread& thread)
{
    thread.setPredictionInputs(fnaPath, pttPath, rntPath, resultDir, genomeId);
}

void MainWindow::setupRunActions()
{
    cancelAction = new QAction(tr("&Cancel Prediction"), this);
    cancelAction->setObjectName(QStringLiteral("actionCancelPrediction"));
    cancelAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    cancelAction->setStatusTip(tr("Stop the running prediction at the next safe point; "
                                  "no partial result files are kept"));
    cancelAction->setEnabled(false);
    ui->menu_predict->insertAction(ui->action_View, cancelAction);
    ui->toolBar->addAction(cancelAction);
    connect(cancelAction, &QAction::triggered, this, &MainWindow::cancelRun);
}

void MainWindow::updateRunActions()
{
    const bool busy = predictionRunning || anyThreadRunning();
    if (cancelAction)
        cancelAction->setEnabled(busy && !cancelRequested);
    ui->action_pred->setEnabled(!busy && projectReady);
    ui->action_View->setEnabled(!busy && viewAllowed);
    ui->actionChangeDirectory->setEnabled(!busy && !directoryChosen);
}

void MainWindow::startPrediction()
{
    if (!projectReady || closeRequested || predictionRunning || anyThreadRunning())
        return;
    if (!inputsUsable())
        return;
    cancelRequested = false;
    // Everything the engines write lands in the result folder or in
    // ./results/ (the promoter files and the gene index table).
    runFiles.snapshot({resultDir, QStringLiteral("./results")});
    useSeedForRun();
    startOperonThread();
    startPromoterThread();
    startTerminatorThread();
}

bool MainWindow::inputsUsable()
{
    // The files are read once with the engines' own readers before any
    // engine starts: a file that would make the prediction meaningless stops
    // here, naming file and line, and nothing is written.
    const meridan::genome::InputCheck check = meridan::genome::checkGenomeInputs(
        QFile::encodeName(fnaPath).toStdString(), QFile::encodeName(pttPath).toStdString(),
        QFile::encodeName(rntPath).toStdString());
    for (const std::string& note : check.notes)
        qInfo().noquote() << QString::fromLocal8Bit(note.c_str());
    if (check.usable())
        return true;
    QStringList errors;
    for (const std::string& error : check.errors)
        errors << QString::fromLocal8Bit(error.c_str());
    UserPrompts::current().warning(this, tr("Prediction"),
                                   tr("%1 cannot be predicted:\n%2").arg(genomeId, errors.join(QLatin1Char('\n'))));
    return false;
}

void MainWindow::cancelRun()
{
    if (cancelRequested || !(predictionRunning || anyThreadRunning()))
        return;
    cancelRequested = true;
    // A running engine stops at its next check; a worker that has not yet
    // started its engine, or would start the TU list, does not start it.
    for (Thread* thread : {&operonThread, &promoterThread, &terminatorThread, &tulistThread})
        thread->requestCancel();
    showStatus(tr("Cancelling the prediction: stopping at the next safe point"));
    updateRunActions();
}

void MainWindow::finishCancelledRun()
{
    const QStringList removed = runFiles.removeChanged();
    qDebug() << "prediction cancelled; removed" << removed;
    cancelRequested = false;
    finishPrediction();
    showStatus(removed.isEmpty()
                   ? tr("Prediction cancelled")
                   : tr("Prediction cancelled; %n partial result file(s) removed", nullptr,
                        int(removed.size())));
    if (closeRequested)
        close();
}

void MainWindow::startOperonThread()
{
    if (!projectReady || closeRequested || operonThread.isRunning())
        return;
    showStatus(tr("Predicting"));
    if (!runFiles.active())
        runFiles.snapshot({resultDir, QStringLiteral("./results")});
    predictionRunning = true;
    resultLoadPending = true;
    updateRunActions();
    prepareThread(operonThread);
    operonThread.start(QThread::InheritPriority);
}

void MainWindow::startPromoterThread()
{
    if (!projectReady || closeRequested || promoterThread.isRunning())
        return;
    predictionRunning = true;
    resultLoadPending = true;
    updateRunActions();
    prepareThread(promoterThread);
    promoterThread.start(QThread::InheritPriority);
}

void MainWindow::startTerminatorThread()
{
    if (!projectReady || closeRequested || terminatorThread.isRunning())
        return;
    predictionRunning = true;
    resultLoadPending = true;
    updateRunActions();
    prepareThread(terminatorThread);
    terminatorThread.start(QThread::InheritPriority);
    startProgress();
}

void MainWindow::startProgress()
{
    predictionShare.clear();
    predictionStage.clear();
    for (int mode : {Thread::OperonRun, Thread::PromoterRun, Thread::TerminatorRun})
        predictionShare[mode] = 0.0;
    progressBar->setValue(0);
    progressBar->show();
}

void MainWindow::slotEngineProgress(int mode, const QString& engine, const QString& stage, qint64 done,
                                    qint64 total)
{
    if (!predictionShare.contains(mode))
        return;
    const double known = total > 0 ? std::clamp(double(done) / double(total), 0.0, 1.0) : 0.0;
    double share = known;
    if (mode == Thread::TerminatorRun) {
        // Training (an unknown number of iterations) is the first half of the
        // stage, the scan the second.
        if (engine == QLatin1String("Dovrane"))
            share = 0.5 + 0.5 * known;
        else
            share = total > 0 ? 0.5 * known : 0.5 * double(done) / double(done + 100);
    }
    predictionShare[mode] = std::max(predictionShare[mode], share);
    predictionStage[mode] = progressWords(mode, engine, share);
    showPredictionProgress();
}

// What a stage is doing in the user's words ("operons 40 %", "terminators:
// learning the hairpin model"), not the engines' names and step counters.
QString MainWindow::progressWords(int mode, const QString& engine, double share) const
{
    const QString percent = QStringLiteral(" %1 %").arg(int(share * 100.0));
    if (mode == Thread::OperonRun)
        return tr("operons") + percent;
    if (mode == Thread::PromoterRun)
        return tr("promoters") + percent;
    if (engine == QLatin1String("Castrel"))
        return tr("terminators: learning the hairpin model");
    return tr("terminators") + percent;
}

void MainWindow::showPredictionProgress()
{
    double shares = 0.0;
    for (double share : predictionShare)
        shares += share;
    // 900 when all three are done; the TU list then ends the run.
    const int value = int(shares * 300.0 + 0.5);
    if (value > progressBar->value())
        progressBar->setValue(std::min(value, 900));
    if (closeRequested)
        return;   // the label keeps saying that the window closes after the run
    QStringList stages;
    for (auto it = predictionStage.cbegin(); it != predictionStage.cend(); ++it)
        stages << it.value();
    showStatus(stages.isEmpty() ? tr("Predicting") : tr("Predicting: %1").arg(stages.join(QStringLiteral("; "))));
}

void MainWindow::startTulistThread()
{
    if (cancelRequested || tulistThread.isRunning())
        return;
    progressBar->setValue(950);
    showStatus(tr("Predicting: transcription units"));
    predictionRunning = true;
    updateRunActions();
    tulistThread.setTulistInputs(pttPath, rntPath, resultDir, genomeId);
    tulistThread.start(QThread::InheritPriority);
}

void MainWindow::slotIFLoadResult()
{
    // Each finished() arrives here once; only the first notification that
    // finds all three predictions ended loads the results.
    if (!resultLoadPending)
        return;
    for (const Thread* thread : {&operonThread, &terminatorThread, &promoterThread}) {
        if (!thread->isFinished() || thread->isRunning())
            return;
    }
    resultLoadPending = false;

    if (cancelRequested) {
        finishCancelledRun();
        return;
    }
    const QStringList failures =
        operonThread.failures() + promoterThread.failures() + terminatorThread.failures();
    refineOperonsIfChosen();
    slotLoadResultFile();
    reportFailures(failures);
}

void MainWindow::finishPrediction()
{
    predictionRunning = false;
    runFiles.clear();
    predictionShare.clear();
    predictionStage.clear();
    progressBar->hide();
    updateRunActions();
}

void MainWindow::reportFailures(const QStringList& failures)
{
    if (failures.isEmpty())
        return;
    UserPrompts::current().warning(this, tr("Prediction"),
                                   tr("These prediction stages failed:\n%1")
                                       .arg(failures.join(QLatin1Char('\n'))));
}

