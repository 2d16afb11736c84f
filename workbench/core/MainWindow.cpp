// Construction and the frame of the main window: status bar, action wiring,
// recent files, New Prediction, closing and the slots without effect.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ExportMenu.h"
#include "ResultNames.h"
#include "SummaryDialog.h"
#include "UserPrompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QTimer>

namespace {

QSettings recentFileStore()
{
    return QSettings(QStringLiteral("Quenby"), QStringLiteral("SDI example"));
}

const QString recentFilesKey = QStringLiteral("recentFiles");

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);

    summaryDialog = new SummaryDialog;
    ownedDialogs.append(summaryDialog);
    createViewDialogs();
    summaryDialog->hide();
    ui->actionSummary->setEnabled(false);

    ui->action_pred->setEnabled(false);
    ui->actionDNA->setEnabled(false);
    ui->action_export_2->setEnabled(false);
    ui->action_operon->setEnabled(false);
    ui->action_View->setEnabled(false);
    ui->actionZoom->setEnabled(false);

    operonThread.setMode(Thread::OperonRun);
    promoterThread.setMode(Thread::PromoterRun);
    terminatorThread.setMode(Thread::TerminatorRun);
    tulistThread.setMode(Thread::TulistRun);

    rntPath = QLatin1String("");

    ui->genomeButton->setToolTip(tr("Save genome as SVG."));
    ui->operonButton->setToolTip(tr("Save transcript unit as SVG."));

    connect(ui->action_Qt, &QAction::triggered, qApp, &QApplication::aboutQt);

    setupStatusBar();
    setupRunActions();
    connectActions();
    connectViewSignals();
    connectToolActions();
    setupRecentFileActions();
    updateRecentFileActions();
    meridan::addExportMenu(*this);

    showMaximized();
    viewResult();

    isUntitled = true;
    currentFile = tr("untitled");
    setWindowTitle(tr("Meridan 1.0 "));
    modifiedLabel->hide();
}

MainWindow::~MainWindow()
{
    // A worker must never outlive the window whose members it reads.
    for (Thread* thread : {&operonThread, &promoterThread, &terminatorThread, &tulistThread})
        thread->wait();
    qDeleteAll(ownedDialogs);
    delete ui;
}

ProjectInputs MainWindow::projectInputs() const
{
    return {fnaPath, pttPath, gbzPath, rntPath, annotationPath, genomeId, resultDir};
}

const Thread& MainWindow::workerThread(int mode) const
{
    switch (mode) {
    case Thread::OperonRun: return operonThread;
    case Thread::PromoterRun: return promoterThread;
    case Thread::TerminatorRun: return terminatorThread;
    default: return tulistThread;
    }
}

bool MainWindow::anyThreadRunning() const
{
    return operonThread.isRunning() || promoterThread.isRunning() || terminatorThread.isRunning()
        || tulistThread.isRunning();
}

void MainWindow::setupStatusBar()
{
    progressBar = new QProgressBar;
    progressBar->setMaximumSize(225, 25);
    // 900 for the three predictions, the rest for the evidence step and the TU list.
    progressBar->setRange(0, 1000);

    statusLabel = new QLabel;
    statusLabel->setMinimumSize(200, 25);
    statusLabel->setFrameShape(QFrame::WinPanel);
    statusLabel->setFrameShadow(QFrame::Sunken);

    modifiedLabel = new QLabel;
    modifiedLabel->setMinimumSize(200, 25);
    modifiedLabel->setFrameShape(QFrame::WinPanel);
    modifiedLabel->setFrameShadow(QFrame::Sunken);

    // Permanent: a status tip (a hovered button or menu entry) then shows
    // beside them instead of being printed over them.
    ui->statusBar->addPermanentWidget(progressBar);
    ui->statusBar->addPermanentWidget(statusLabel);
    ui->statusBar->addPermanentWidget(modifiedLabel);
    progressBar->hide();
    statusLabel->hide();

    statusTimer = new QTimer(this);
    statusTimer->setSingleShot(true);
    connect(statusTimer, &QTimer::timeout, statusLabel, &QLabel::hide);
}

void MainWindow::connectActions()
{
    connect(ui->action_exit, &QAction::triggered, this, &MainWindow::doQuit);
    connect(ui->action_fna, &QAction::triggered, this, &MainWindow::loadFnaFile);
    connect(ui->action_ptt, &QAction::triggered, this, &MainWindow::loadPttFile);
    connect(ui->action_rnt, &QAction::triggered, this, &MainWindow::loadRntFile);
    setUpImportActions();
    connect(ui->action_genebz, &QAction::triggered, this, &MainWindow::loadBzFile);
    connect(ui->action_copy, &QAction::triggered, this, &MainWindow::doCopy);
    connect(ui->action_paste, &QAction::triggered, this, &MainWindow::doPaste);
    connect(ui->action_All, &QAction::triggered, this, &MainWindow::doAll);
    connect(ui->action_find, &QAction::triggered, this, &MainWindow::doFind);
    connect(ui->action_pred, &QAction::triggered, this, &MainWindow::startPrediction);
    setupOperonModeChoice();
    setupPredictionOptions();
    connect(ui->action_helpfile, &QAction::triggered, this, &MainWindow::ini_helpDilg);
    connect(ui->action_about, &QAction::triggered, this, &MainWindow::ini_aboutDilg);
    connect(ui->action_undo, &QAction::triggered, this, &MainWindow::doUndo);
    connect(ui->action_new, &QAction::triggered, this, &MainWindow::doNew);
    connect(ui->action_findoperon, &QAction::triggered, this, &MainWindow::ini_findDilg);
    connect(ui->action_open, &QAction::triggered, this, &MainWindow::doOpen);
    connect(ui->action_export_2, &QAction::triggered, this, &MainWindow::doSave);
    connect(ui->action_operon, &QAction::triggered, this, &MainWindow::saveOperon);
    connect(ui->actionSummary, &QAction::triggered, summaryDialog, &QWidget::show);
    connect(ui->actionChangeDirectory, &QAction::triggered, this, &MainWindow::slotChangeDirectory);
    connect(ui->actionZoom, &QAction::triggered, this, &MainWindow::slotZoom);
    connect(ui->actionSaveSVG, &QAction::triggered, this, &MainWindow::saveSvg);
    connect(ui->actionOperonSVG, &QAction::triggered, this, &MainWindow::saveOperonSvg);
    connect(ui->actionPromoter, &QAction::triggered, this, &MainWindow::slotPromoterPre);
    connect(ui->actionTerminator, &QAction::triggered, this, &MainWindow::slotTerminatorPre);
    connect(ui->genomeButton, &QPushButton::clicked, ui->actionSaveSVG, &QAction::trigger);
    connect(ui->operonButton, &QPushButton::clicked, ui->actionOperonSVG, &QAction::trigger);

    connect(this, &MainWindow::Predict_Operon, this, &MainWindow::slotPredictOperon);
    connect(ui->verticalSlider, &QSlider::valueChanged, this, &MainWindow::slotScale);
    connect(ui->verticalSlider_2, &QSlider::valueChanged, this, &MainWindow::slotGeneScale);

    // Each worker's end is wired once; a later run reuses the connection.
    connect(&operonThread, &QThread::finished, this, &MainWindow::slotIFLoadResult);
    connect(&promoterThread, &QThread::finished, this, &MainWindow::slotIFLoadResult);
    connect(&terminatorThread, &QThread::finished, this, &MainWindow::slotIFLoadResult);
    connect(&tulistThread, &QThread::finished, this, &MainWindow::slotLoadTulistResult);
    for (Thread* thread : {&operonThread, &promoterThread, &terminatorThread}) {
        connect(thread, &Thread::progressed, this,
                [this, thread](const QString& engine, const QString& stage, qint64 done, qint64 total) {
                    slotEngineProgress(thread->mode(), engine, stage, done, total);
                });
        connect(thread, &QThread::finished, this, [this, thread] {
            if (progress.finish(thread->mode()))
                showPredictionProgress();
        });
    }
}

void MainWindow::setupRecentFileActions()
{
    recentSeparator = ui->menu_F->insertSeparator(ui->action_exit);
    recentSeparator->setVisible(false);
    for (int i = 0; i < MaxRecentFiles; ++i) {
        auto* action = new QAction(this);
        action->setVisible(false);
        ui->menu_F->insertAction(recentSeparator, action);
        connect(action, &QAction::triggered, this, &MainWindow::openRecentFile);
        recentFileActions.append(action);
    }
}

void MainWindow::updateRecentFileActions()
{
    const QStringList files = recentFileStore().value(recentFilesKey).toStringList();
    const int n = int(qMin<qsizetype>(files.size(), MaxRecentFiles));
    for (int i = 0; i < n; ++i) {
        recentFileActions[i]->setText(tr("&%1 &%2").arg(i + 1).arg(files[i]));
        recentFileActions[i]->setData(files[i]);
        recentFileActions[i]->setVisible(true);
    }
    for (int i = n; i < MaxRecentFiles; ++i)
        recentFileActions[i]->setVisible(false);
    recentSeparator->setVisible(n > 0);
}

void MainWindow::setCurrentFile(const QString& fileName)
{
    currentFile = QFileInfo(fileName).canonicalFilePath();
    isUntitled = false;
    setWindowTitle(currentFile + QStringLiteral("[*]"));
    setWindowModified(false);

    QSettings settings = recentFileStore();
    QStringList files = settings.value(recentFilesKey).toStringList();
    files.removeAll(fileName);
    files.prepend(fileName);
    while (files.size() > MaxRecentFiles)
        files.removeLast();
    settings.setValue(recentFilesKey, files);
    updateRecentFileActions();
}

void MainWindow::openRecentFile()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const QFileInfo entry(action->data().toString());
    // Any of a genome's files stands for all three beside it.
    const QString base = entry.path() + QLatin1Char('/') + entry.completeBaseName();
    const QString fna = base + QStringLiteral(".fna");
    const QString ptt = base + QStringLiteral(".ptt");
    const QString rnt = base + QStringLiteral(".rnt");
    QStringList missing;
    for (const QString& path : {fna, ptt})
        if (!QFileInfo::exists(path))
            missing << path;
    if (!missing.isEmpty()) {
        UserPrompts::current().warning(this, tr("Open Recent"),
                                       tr("Cannot reopen %1: missing %2.")
                                           .arg(entry.completeBaseName(), missing.join(tr(" and "))));
        return;
    }
    if (acceptFnaFile(fna).isEmpty() || acceptPttFile(ptt).isEmpty())
        return;
    if (QFileInfo::exists(rnt))
        acceptRntFile(rnt);
    if (!resultFilesExist())
        return;
    // Results are shown only when no input changed after they were written.
    QDateTime inputs;
    for (const QString& path : {fna, ptt, rnt})
        if (QFileInfo::exists(path))
            inputs = qMax(inputs, QFileInfo(path).lastModified());
    QDateTime oldest;
    for (const QString& file : meridan::resultNames(resultDir, genomeId).predictionFiles()) {
        const QDateTime written = QFileInfo(file).lastModified();
        oldest = oldest.isValid() ? qMin(oldest, written) : written;
    }
    if (oldest >= inputs)
        slotLoadResultFile();
    else
        showStatusFor5Seconds(tr("The results in %1 are older than the inputs: predict again").arg(resultDir));
}

void MainWindow::doNew()
{
    auto* other = new MainWindow;
    other->setAttribute(Qt::WA_DeleteOnClose);
    // Not maximised over this one: a little smaller and offset, so both show.
    const QRect frame = isMaximized() || isFullScreen() ? screen()->availableGeometry() : geometry();
    other->showNormal();
    other->setGeometry(frame.adjusted(40, 40, 0, 0).intersected(screen()->availableGeometry()).adjusted(0, 0, -40, -40));
}

bool MainWindow::hasWork() const
{
    return predictionRunning || anyThreadRunning() || !model.tuMap.isEmpty();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!predictionRunning && !anyThreadRunning()) {
        event->accept();
        return;
    }
    if (!closeRequested) {
        const int choice = UserPrompts::current().choose(
            this, tr("Close"),
            tr("A prediction is running.\n\n"
               "Wait: close the window once its results are written and loaded.\n"
               "Cancel run: stop the prediction, remove its partial result files and close.\n"
               "Keep open: leave the window and the prediction running."),
            {tr("Wait"), tr("Cancel run"), tr("Keep open")});
        if (choice != 0 && choice != 1) {
            event->ignore();
            return;
        }
        // The run may have ended while the question was open: then nothing
        // is left to wait for or to cancel, and the window closes now.
        if (!predictionRunning && !anyThreadRunning()) {
            event->accept();
            return;
        }
        closeRequested = true;
        if (choice == 1)
            cancelRun();
        else
            showStatus(tr("Closing when the prediction has finished and its results are loaded"));
    }
    // The window closes itself when the run has ended (see
    // slotLoadTulistResult and finishCancelledRun).
    event->ignore();
}

void MainWindow::showStatus(const QString& text)
{
    statusTimer->stop();
    statusLabel->setText(text);
    statusLabel->show();
}

void MainWindow::showStatusFor5Seconds(const QString& text)
{
    showStatus(text);
    statusTimer->start(5000);
}

void MainWindow::viewResult()
{
    ui->action_View->setVisible(true);
    connect(ui->action_View, &QAction::triggered, this, &MainWindow::slotLoadResultFile,
            Qt::UniqueConnection);
}

void MainWindow::doQuit()
{
    QList<MainWindow*> windows;
    int busy = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MainWindow*>(widget); window && window->isVisible()) {
            windows << window;
            busy += window->hasWork() ? 1 : 0;
        }
    }
    // Leaving several windows with results or runs ends all of them: ask once.
    if (windows.size() > 1 && busy > 0
        && !UserPrompts::current().question(
            this, tr("Exit"),
            tr("%n window(s) hold results or a running prediction. Close all %1 windows?", nullptr, busy)
                .arg(windows.size())))
        return;
    // Each window closes on its own terms (a window with a running prediction
    // asks, and may stay open).
    for (MainWindow* window : std::as_const(windows))
        window->close();
    for (MainWindow* window : std::as_const(windows))
        if (window->isVisible())
            return;
    QApplication::quit();
}

void MainWindow::doOpen()
{
    UserPrompts::current().openFileName(this, QString(), QString(), QString());
}

void MainWindow::doSave()
{
    if (isUntitled)
        doASave();
}

void MainWindow::doASave()
{
    UserPrompts::current().saveFileName(
        this, tr("Save as..."), QString(),
        tr("GBZ files (*.gbz);;TXT files (*.txt);;HTML-Files (*.htm *.html);;All Files (*)"));
}

void MainWindow::doModified()
{
    modifiedLabel->setText(tr("正在修改"));
}

void MainWindow::doCursorChanged() {}
void MainWindow::doUndo() {}
void MainWindow::doCopy() {}
void MainWindow::doPaste() {}
void MainWindow::doAll() {}
void MainWindow::ini_preDilg() {}
void MainWindow::changeOperonColor(QTreeWidgetItem*, int) {}
bool MainWindow::saveOperon() { return false; }
void MainWindow::slotTimerUpDate() {}
void MainWindow::slotMakeTuList() {}
