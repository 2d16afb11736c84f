// The workbench's main window: the frame (menus, tool bars, status bar,
// recent files), the project inputs, the prediction threads, the result
// loading and, through MainWindow_views.cpp, the tree and the graphics views.
//
// The window's slots and operations are split by concern into files; the
// work itself lies in classes of its own where it needs no window:
//   MainWindow.cpp             construction, frame, recent files, closing
//   MainWindow_loading.cpp     input loaders, work directory, annotation merge,
//                              annotation and genome readers
//   MainWindow_import.cpp      GenBank / GFF3 import (GenomeImport)
//   MainWindow_prediction.cpp  worker threads started from the pipeline's
//                              stage plan, progress (PredictionProgress),
//                              cancelling (RunFileGuard), failure reports
//   MainWindow_options.cpp     Prediction > Options, the seed (RunSeed)
//   MainWindow_results.cpp     result loading through the model library's readers
//   MainWindow_views.cpp       tree, table, genome map, detail view, search,
//                              SVG export and the view dialogs (ResultViews)
//   MainWindow_tables.cpp      the operon and TU tables
//   MainWindow_tools.cpp       DNA line, find files, query forms, help, about
//   ExportMenu.cpp             File > Export (GFF3, BED, TU table)
#pragma once

#include <QList>
#include <QMap>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "PredictionProgress.h"
#include "ProjectModel.h"
#include "RunFileGuard.h"
#include "Thread.h"

class QAction;
class QCloseEvent;
class QLabel;
class QProgressBar;
class QTimer;
class QTreeWidgetItem;

class AboutDialog;
class GenomeBrowserPanel;
class QDockWidget;
class UnitTablePanel;
class FindDialog;
class FindFileForm;
class HelpDialog;
class QPromoterDlg;
class QTerminatorDlg;
class ResultViews;
class SummaryDialog;

namespace Ui {
class MainWindow;
}

// The project inputs of a window, as the loaders left them.
struct ProjectInputs {
    QString fnaPath;
    QString pttPath;
    QString gbzPath;
    QString rntPath;
    QString annotationPath;
    QString genomeId;
    QString resultDir;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int MaxRecentFiles = 9;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Access for the view builders, the tools and the tests.
    Ui::MainWindow* form() const { return ui; }
    ProjectModel& projectModel() { return model; }
    const ProjectModel& projectModel() const { return model; }
    ProjectInputs projectInputs() const;
    QProgressBar* progressBarWidget() const { return progressBar; }
    QLabel* statusLabelWidget() const { return statusLabel; }
    QLabel* modifiedLabelWidget() const { return modifiedLabel; }
    SummaryDialog* summaryDialogWidget() const { return summaryDialog; }
    ResultViews* resultViewsController() const { return resultViews; }
    // The genome browser (the DNA line view), docked in the window.
    GenomeBrowserPanel* dnaWindow() const { return dnaView; }
    QDockWidget* dnaDockWidget() const { return dnaDock; }
    // The tables of operons and TUs, docked beside the browser.
    UnitTablePanel* unitTables() const { return unitTablePanel; }
    QDockWidget* tablesDockWidget() const { return tablesDock; }
    FindDialog* findDialogWidget() const { return findDialog; }
    QList<QAction*> recentFileEntries() const { return recentFileActions; }
    QAction* recentFileSeparator() const { return recentSeparator; }
    const Thread& workerThread(int mode) const;
    QString currentFileName() const { return currentFile; }
    bool isUntitledFile() const { return isUntitled; }
    // True from the start of a prediction (or of a "View ATU" TU-list run)
    // until its TU list has been read.
    bool isPredictionRunning() const { return predictionRunning; }
    // True while any of the four worker threads runs.
    bool anyThreadRunning() const;
    // True from Prediction > Cancel (or "Cancel run" on closing) until the
    // cancelled run has ended and its files are taken back.
    bool isCancelRequested() const { return cancelRequested; }
    // Prediction > Cancel.
    QAction* cancelRunAction() const { return cancelAction; }
    // Whether this window holds work that closing would end or lose: a run,
    // or results on screen.
    bool hasWork() const;

    // Records fileName as the current file and at the front of the recent files.
    void setCurrentFile(const QString& fileName);
    // Shows the stored recent files in the File menu.
    void updateRecentFileActions();

signals:
    void load_fna_success();
    void load_ptt_success();
    void load_rnt_success();
    void Predict_Operon();
    void integrateAno();

protected:
    // Asks before closing during a prediction and then closes only when the
    // worker threads have ended, so no worker outlives the window.
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Frame (MainWindow.cpp)
    void doCursorChanged();
    void doOpen();
    void doSave();
    void doASave();
    void doQuit();
    void doUndo();
    void doCopy();
    void doPaste();
    void doAll();
    void doNew();
    void doFind();              // MainWindow_tools.cpp
    void doModified();
    void openRecentFile();
    void ini_preDilg();
    void changeOperonColor(QTreeWidgetItem* item, int column);
    bool saveOperon();
    void viewResult();
    void slotTimerUpDate();
    void slotMakeTuList();

    // Loading (MainWindow_loading.cpp)
    QString loadFnaFile();
    QString loadPttFile();
    QString loadBzFile();
    QString loadRntFile();
    // Import of annotation files (MainWindow_import.cpp); each returns the
    // imported record's identifier, empty when nothing was imported.
    QString importGenomeFile();
    QString importAnnotationForFasta();
    bool integratePtt_Rnt();
    QString slotChangeDirectory();

    // Prediction (MainWindow_prediction.cpp)
    void startPrediction();
    void cancelRun();
    bool inputsUsable();
    void startOperonThread();
    void startPromoterThread();
    void startTerminatorThread();
    void startTulistThread();
    void slotIFLoadResult();
    // One engine's progress in the prediction run of `mode` (a Thread::RunMode):
    // the status bar names the stage, the bar (0 to 900, a third per
    // prediction) moves with it and never back.
    void slotEngineProgress(int mode, const QString& engine, const QString& stage, qint64 done, qint64 total);

    // Results (MainWindow_results.cpp)
    void slotLoadResultFile();
    void slotLoadOperonResult();
    void slotLoadPromoterResult();
    bool integratePromoterFile();
    void slotLoadTerminatorResult();
    void slotLoadTulistResult();

    // Tool windows (MainWindow_tools.cpp)
    void ini_helpDilg();
    void ini_aboutDilg();
    void ini_DNA();
    void slotPromoterPre();
    void slotTerminatorPre();

    // Views, tree, search, export and view dialogs (MainWindow_views.cpp)
    void doClose();
    void ini_findDilg();
    void slotPredictOperon();
    void findOperon(QString text, int field);
    void findGene(QString text);
    void slotArrow(double x, double y, int direction, int geneIndex);
    void slotGenomeView(QTreeWidgetItem* item, int column);
    void slotOperonView();
    void slotDoubleClickedItem(QTreeWidgetItem* item, int column);
    void drawGeneItem(QTreeWidgetItem* item);
    void slotRelease();
    void slotCenterOn(QTreeWidgetItem* item, int column);
    void slotScale(int value);
    void slotGlobalScale(int steps);
    void slotZoom();
    void slotGeneScale(int value);
    void saveSvg();
    void saveOperonSvg();

private:
    // Frame helpers (MainWindow.cpp)
    void setupStatusBar();
    void setupRecentFileActions();
    void connectActions();
    void showStatus(const QString& text);
    void showStatusFor5Seconds(const QString& text);

    // Loading helpers (MainWindow_loading.cpp)
    bool resultFilesExist() const;
    QString askFileName(const QString& statusText, const QString& caption, const QString& filter);
    QString acceptFnaFile(const QString& fileName);
    QString acceptPttFile(const QString& fileName);
    QString acceptRntFile(const QString& fileName);
    QString acceptBzFile(const QString& fileName);
    // Asks before a new genome replaces the loaded one (refused during a
    // run); on yes the window's project is emptied.
    bool mayReplaceGenome(const QString& fileName);
    void resetProject();
    void setUpImportActions();
    QString importAnnotatedGenome(const QString& annotationFile, const QString& fastaFile);
    bool openForCheck(const QString& fileName, const QString& warningTitle, const QString& failureText);
    // The absolute path of a gene table that can be read and belongs to the
    // loaded FNA (same genome identifier); empty, after telling the user why, otherwise.
    QString acceptTableOfGenome(const QString& fileName, const QString& title, const QString& unreadable,
                                const QString& mismatch);
    void readAnnotationFile();
    void readGenomeFile();

    // Prediction helpers (MainWindow_prediction.cpp)
    // Starts one of the three predictions with the project's inputs; false
    // when it may not start (no project, closing, or already running).
    bool startPredictionThread(Thread& thread);
    void updateRunActions();
    void reportFailures(const QStringList& failures);
    // Prediction > "Refine operons with evidence": when checked, the operon
    // engine's gene tags are refined before the results are read.
    void setupOperonModeChoice();
    void refineOperonsIfChosen();
    // Where the settings keep the panel of genomes for the evidence step.
    static constexpr const char* PanelSettingKey = "prediction/panel";
    // The options of the next run as the pipeline's stage plan reads them.
    meridan::pipeline::PredictionOptions runOptions() const;
    // The worker thread that runs `stage`; null for the stages the window
    // runs itself (the evidence step) or not at all (the exports).
    Thread* stageThread(meridan::pipeline::Stage stage);
    // Prediction > Options… (MainWindow_options.cpp): the stages, the
    // evidence choice and the seed; useSeedForRun() puts the seed of the
    // next run where the engines read it and tells it.
    void setupPredictionOptions();
    void showPredictionOptions();
    void useSeedForRun();
    void finishPrediction();
    // Ends a cancelled run: removes the files it wrote, tells the user and
    // closes the window when that was asked for.
    void finishCancelledRun();
    void setupRunActions();

    // View hooks (MainWindow_views.cpp), called by the constructor and the destructor.
    void createViewDialogs();
    void connectViewSignals();
    // A dock below the result views holding widget, hidden until asked for.
    QDockWidget* addResultDock(const QString& title, const QString& name, QWidget* widget);
    // The genome browser follows the project and the selection (MainWindow_tools.cpp).
    void connectBrowser();
    // Asks for a data file and adds it to the browser, or says why not.
    void addDataTrack();
    // The tables of operons and TUs (MainWindow_tables.cpp).
    void createUnitTables();
    void exportTableRows(const QString& tsv);
    // Makes the gene's row the tree's current row, as a click there would,
    // without moving the browser.
    void selectGeneRow(int gene);
    void drawOperonOnMap(int firstGene, int lastGene);

    // Tool hooks (MainWindow_tools.cpp): the DNA action and its enabling,
    // and the gene of the tree's current row (the first gene of an operon or
    // unit row; the first row when none is current; -1 without rows).
    void connectToolActions();
    int selectedGeneIndex() const;

    Ui::MainWindow* ui = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* statusLabel = nullptr;
    QLabel* modifiedLabel = nullptr;
    bool isUntitled = true;
    QString currentFile;
    QList<QAction*> recentFileActions;
    QAction* recentSeparator = nullptr;

    // Dialogs, created once without parent; every dialog created is also
    // listed in ownedDialogs, which the destructor deletes.
    HelpDialog* helpDialog = nullptr;
    AboutDialog* aboutDialog = nullptr;
    GenomeBrowserPanel* dnaView = nullptr;
    QDockWidget* dnaDock = nullptr;
    UnitTablePanel* unitTablePanel = nullptr;
    QDockWidget* tablesDock = nullptr;
    QAction* tablesAction = nullptr;
    bool browserSelecting = false;      // a click in the browser is selecting the tree row
    FindDialog* findDialog = nullptr;
    SummaryDialog* summaryDialog = nullptr;
    QPromoterDlg* promoterDialog = nullptr;
    QTerminatorDlg* terminatorDialog = nullptr;
    FindFileForm* findFileForm = nullptr;   // created when Find Files is first used
    QList<QWidget*> ownedDialogs;

    // Project inputs.
    QString pttPath;
    QString fnaPath;
    QString gbzPath;
    QString rntPath;
    QString annotationPath;
    QString genomeId;

    // Genes, sequence and prediction results.
    ProjectModel model;

    // Worker threads, modes 1 to 4.
    Thread operonThread;
    QAction* evidenceOperonsAction = nullptr;
    QAction* predictionOptionsAction = nullptr;
    Thread promoterThread;
    Thread terminatorThread;
    Thread tulistThread;

    QString resultDir;
    // How far the three predictions have come, for the bar and the status label.
    PredictionProgress progress;
    void startProgress();
    void showPredictionProgress();

    // Run state.
    QTimer* statusTimer = nullptr;      // hides statusLabel after its 5-second message
    bool projectReady = false;          // a matching PTT file was accepted
    bool viewAllowed = false;           // "View ATU" may be enabled when no run is active
    bool directoryChosen = false;       // the work directory was changed once
    bool predictionRunning = false;
    bool resultLoadPending = false;     // set by a start, cleared by the one result loading
    bool closeRequested = false;        // the user confirmed closing during a run
    bool cancelRequested = false;       // the running prediction is being cancelled
    QAction* cancelAction = nullptr;    // Prediction > Cancel
    RunFileGuard runFiles;              // result folders as they were before the run

    // Tree, table, genome map and detail view: the views' controller,
    // created by createViewDialogs() as a child of the window; it keeps the
    // scenes, the map's strokes and arrows, and the tree's wiring.
    ResultViews* resultViews = nullptr;
};
