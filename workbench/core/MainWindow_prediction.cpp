// The prediction runs: starting the operon, promoter, terminator and TU-list
// threads, waiting for the three predictions, the progress bar, and telling
// the user which engine stages failed.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "SummaryDialog.h"
#include "UserPrompts.h"

#include "meridan/genome/InputCheck.h"
#include "meridan/pipeline/StagePlan.h"

#include <QAction>
#include <QDebug>
#include <QFile>
#include <QMenu>
#include <QToolBar>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QTimer>


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

meridan::pipeline::PredictionOptions MainWindow::runOptions() const
{
    meridan::pipeline::PredictionOptions options;
    const bool evidence = evidenceOperonsAction && evidenceOperonsAction->isChecked();
    options.operons = evidence ? meridan::pipeline::OperonMode::Evidence : meridan::pipeline::OperonMode::Em;
    options.seed.reset();   // the run's seed is handed to the engines by useSeedForRun()
    const QString panel = QSettings().value(QLatin1String(PanelSettingKey)).toString();
    if (!panel.isEmpty())
        options.panel = QFile::encodeName(panel).toStdString();
    options.exports = false;   // the workbench exports on request (File > Export)
    return options;
}

Thread* MainWindow::stageThread(meridan::pipeline::Stage stage)
{
    for (Thread* thread : {&operonThread, &promoterThread, &terminatorThread, &tulistThread})
        if (thread->stage() == stage)
            return thread;
    return nullptr;
}

void MainWindow::refineOperonsIfChosen()
{
    // The evidence step runs when the plan calls for it after the three
    // predictions: chosen, and with the operon engine's operons to start from.
    std::vector<meridan::pipeline::StageReport> predictions;
    for (meridan::pipeline::Stage stage : meridan::pipeline::predictionSteps().front())
        if (const Thread* thread = stageThread(stage))
            predictions.push_back(thread->lastReport());
    const meridan::pipeline::PredictionOptions options = runOptions();
    if (!meridan::pipeline::stageRuns(meridan::pipeline::Stage::OperonEvidence, options, predictions))
        return;
    bool ok = false;
    operonThread.setPanel(options.panel ? QFile::decodeName(options.panel->c_str()) : QString());
    const QString message = operonThread.refineOperons(ok);
    qDebug() << message;
    if (!ok)
        reportFailures({tr("Operon evidence: %1; the operon engine's operons are shown").arg(message)});
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
    // The first step of the plan: the three predictions, started in order.
    for (meridan::pipeline::Stage stage : meridan::pipeline::predictionSteps().front()) {
        switch (stage) {
        case meridan::pipeline::Stage::Operon: startOperonThread(); break;
        case meridan::pipeline::Stage::Promoter: startPromoterThread(); break;
        case meridan::pipeline::Stage::Terminator: startTerminatorThread(); break;
        default: break;
        }
    }
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

bool MainWindow::startPredictionThread(Thread& thread)
{
    if (!projectReady || closeRequested || thread.isRunning())
        return false;
    if (!runFiles.active())
        runFiles.snapshot({resultDir, QStringLiteral("./results")});
    predictionRunning = true;
    resultLoadPending = true;
    updateRunActions();
    thread.setPredictionInputs(fnaPath, pttPath, rntPath, resultDir, genomeId);
    thread.start(QThread::InheritPriority);
    return true;
}

void MainWindow::startOperonThread()
{
    if (startPredictionThread(operonThread))
        showStatus(tr("Predicting"));
}

void MainWindow::startPromoterThread()
{
    startPredictionThread(promoterThread);
}

void MainWindow::startTerminatorThread()
{
    if (startPredictionThread(terminatorThread))
        startProgress();
}

void MainWindow::startProgress()
{
    progress.start();
    progressBar->setValue(0);
    progressBar->show();
}

void MainWindow::slotEngineProgress(int mode, const QString& engine, const QString&, qint64 done, qint64 total)
{
    if (progress.update(mode, engine, done, total))
        showPredictionProgress();
}

void MainWindow::showPredictionProgress()
{
    if (progress.barValue() > progressBar->value())
        progressBar->setValue(progress.barValue());
    if (!closeRequested)   // otherwise the label keeps saying that the window closes after the run
        showStatus(progress.statusText());
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
    for (meridan::pipeline::Stage stage : meridan::pipeline::predictionSteps().front()) {
        const Thread* thread = stageThread(stage);
        if (thread && (!thread->isFinished() || thread->isRunning()))
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
    progress.clear();
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

