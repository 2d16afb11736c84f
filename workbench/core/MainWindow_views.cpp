// The result views of the window: the operon tree and the gene information
// table, the circular genome map and its zoom, the operon detail view, the
// gene search, SVG export, and the view dialogs (search, DNA line, help,
// about, promoter and terminator queries).
//
// The drawing, the lookups and the view state live in resultViews, a
// ResultViews child of the window; the slots below hand over to it.
// createViewDialogs() creates it and the dialogs (each dialog also appended
// to ownedDialogs, which the destructor deletes); connectViewSignals() makes
// the connections of the view widgets and dialogs.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "AboutDialog.h"
#include "GenomeBrowser.h"
#include "GenomeBrowserPanel.h"
#include "FindDialog.h"
#include "GlobalView.h"
#include "HelpDialog.h"
#include "QPromoterDlg.h"
#include "QTerminatorDlg.h"
#include "ResultViews.h"
#include "UserPrompts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QDockWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>

void MainWindow::createViewDialogs()
{
    helpDialog = new HelpDialog;
    aboutDialog = new AboutDialog;
    findDialog = new FindDialog;
    promoterDialog = new QPromoterDlg;
    terminatorDialog = new QTerminatorDlg;
    ownedDialogs << helpDialog << aboutDialog << findDialog << promoterDialog << terminatorDialog;

    // The DNA line view: the genome browser, docked below the result views.
    dnaView = new GenomeBrowserPanel;
    dnaDock = addResultDock(tr("DNA Line"), QStringLiteral("dnaDock"), dnaView);

    ResultViewWidgets widgets;
    widgets.tree = ui->treeWidget;
    widgets.table = ui->tableWidget;
    widgets.genomeView = ui->windowGraphicsView;
    widgets.genomeSlider = ui->verticalSlider;
    widgets.operonView = ui->graphicsView;
    widgets.geneSlider = ui->verticalSlider_2;
    widgets.zoomAction = ui->actionZoom;
    widgets.dialogParent = this;
    resultViews = new ResultViews(model, widgets, this);
    resultViews->setUpViews();
    // Exports suggest a name after the genome and what is saved, in the
    // folder the last export went to.
    resultViews->setSaveFileNameAsker([this](QWidget* parent, const QString& caption, const QString& filter) {
        const QString key = QStringLiteral("export/folder");
        const QString folder = QSettings().value(key, QFileInfo(resultDir).absoluteFilePath()).toString();
        const QString what = caption.contains(QLatin1String("Map")) ? QStringLiteral("map") : QStringLiteral("unit");
        const QString suffix = filter.contains(QLatin1String("png"), Qt::CaseInsensitive) ? QStringLiteral(".png")
                                                                                          : QStringLiteral(".svg");
        const QString name = (genomeId.isEmpty() ? QStringLiteral("meridan") : genomeId) + QLatin1Char('_') + what + suffix;
        const QString chosen =
            UserPrompts::current().saveFileName(parent, caption, QDir(folder).filePath(name), filter);
        if (!chosen.isEmpty())
            QSettings().setValue(key, QFileInfo(chosen).absolutePath());
        return chosen;
    });
}

QDockWidget* MainWindow::addResultDock(const QString& title, const QString& name, QWidget* widget)
{
    auto* dock = new QDockWidget(title, this);
    dock->setObjectName(name);
    dock->setWidget(widget);
    dock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    return dock;
}

void MainWindow::connectViewSignals()
{
    // The sliders reach slotScale and slotGeneScale through connectActions().
    connect(ui->windowGraphicsView, &GlobalView::global_scale, this, &MainWindow::slotGlobalScale);
    connect(findDialog, &FindDialog::findContent, this, &MainWindow::findOperon);
    connectBrowser();
    createUnitTables();

    // Map zoom and export actions; exports only once there is something to save.
    auto* fit = ui->actionZoom;
    fit->setText(tr("&Fit Map"));
    fit->setToolTip(tr("Show the whole genome map"));
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    auto* zoomIn = new QAction(tr("Zoom &In"), this);
    zoomIn->setObjectName(QStringLiteral("actionZoomIn"));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomIn->setToolTip(tr("Zoom into the genome map (+)"));
    auto* zoomOut = new QAction(tr("Zoom &Out"), this);
    zoomOut->setObjectName(QStringLiteral("actionZoomOut"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    zoomOut->setToolTip(tr("Zoom out of the genome map (\u2212)"));
    zoomIn->setIconText(QStringLiteral("+"));
    zoomOut->setIconText(QStringLiteral("\u2212"));
    for (QAction* action : {zoomIn, zoomOut}) {
        action->setEnabled(false);
        ui->menu_edit->insertAction(fit, action);
        ui->toolBar_2->addAction(action);
    }
    connect(zoomIn, &QAction::triggered, resultViews, &ResultViews::zoomIn);
    connect(zoomOut, &QAction::triggered, resultViews, &ResultViews::zoomOut);
    connect(fit, &QAction::enabledChanged, zoomIn, &QAction::setEnabled);
    connect(fit, &QAction::enabledChanged, zoomOut, &QAction::setEnabled);

    auto* mapPng = new QAction(tr("Save Genome Map as PNG..."), this);
    mapPng->setObjectName(QStringLiteral("actionSaveMapPng"));
    auto* unitPng = new QAction(tr("Save Transcript Unit as PNG..."), this);
    unitPng->setObjectName(QStringLiteral("actionSaveUnitPng"));
    ui->menu_F->insertAction(ui->actionOperonSVG, mapPng);
    const QList<QAction*> fileActions = ui->menu_F->actions();
    const qsizetype after = fileActions.indexOf(ui->actionOperonSVG) + 1;
    ui->menu_F->insertAction(after < fileActions.size() ? fileActions.at(after) : nullptr, unitPng);
    connect(mapPng, &QAction::triggered, resultViews, &ResultViews::savePng);
    connect(unitPng, &QAction::triggered, resultViews, &ResultViews::saveOperonPng);
    for (QAction* action : {ui->actionSaveSVG, mapPng, ui->actionOperonSVG, unitPng})
        action->setEnabled(false);
    ui->genomeButton->setEnabled(false);
    ui->operonButton->setEnabled(false);
    connect(resultViews, &ResultViews::mapAvailable, this, [this, mapPng](bool available) {
        ui->actionSaveSVG->setEnabled(available);
        mapPng->setEnabled(available);
        ui->genomeButton->setEnabled(available);
    });
    connect(resultViews, &ResultViews::detailAvailable, this, [this, unitPng](bool available) {
        ui->actionOperonSVG->setEnabled(available);
        unitPng->setEnabled(available);
        ui->operonButton->setEnabled(available);
    });
}

void MainWindow::doClose()
{
    ui->treeWidget->hide();
    if (findDialog)
        findDialog->hide();
}

void MainWindow::ini_findDilg()
{
    // Over the lower part of the tree, where it hides neither the map nor
    // the rows it finds at the top.
    const QWidget* tree = ui->treeWidget;
    findDialog->adjustSize();
    const QPoint corner = tree->mapToGlobal(QPoint(12, tree->height() - findDialog->frameGeometry().height() - 12));
    findDialog->move(corner);
    findDialog->show();
    findDialog->raise();
    // Typed text goes to the search field at once, whatever had the focus.
    findDialog->activateWindow();
}

void MainWindow::slotPredictOperon()
{
    // The map is what a finished prediction shows first.
    ui->tabWidget->setCurrentWidget(ui->tab_2);
    resultViews->slotPredictOperon();
}

void MainWindow::slotDoubleClickedItem(QTreeWidgetItem* item, int column)
{
    resultViews->slotDoubleClickedItem(item, column);
}

void MainWindow::slotRelease()
{
    resultViews->slotRelease();
}

void MainWindow::findOperon(QString text, int field)
{
    findDialog->showResult(resultViews->findOperon(text, field));
}

void MainWindow::findGene(QString text)
{
    resultViews->findGene(text);
}

void MainWindow::slotOperonView()
{
    resultViews->slotOperonView();
}

void MainWindow::drawOperonOnMap(int firstGene, int lastGene)
{
    resultViews->drawOperonOnMap(firstGene, lastGene);
}

void MainWindow::slotScale(int value)
{
    resultViews->slotScale(value);
}

void MainWindow::slotGlobalScale(int steps)
{
    resultViews->slotGlobalScale(steps);
}

void MainWindow::slotZoom()
{
    resultViews->slotZoom();
}

void MainWindow::slotArrow(double, double, int, int geneIndex)
{
    resultViews->pointAtGene(geneIndex);
}

void MainWindow::slotCenterOn(QTreeWidgetItem* item, int column)
{
    resultViews->slotCenterOn(item, column);
}

void MainWindow::slotGenomeView(QTreeWidgetItem* item, int column)
{
    resultViews->slotGenomeView(item, column);
}

void MainWindow::drawGeneItem(QTreeWidgetItem* item)
{
    resultViews->drawGeneItem(item);
}

void MainWindow::slotGeneScale(int value)
{
    resultViews->slotGeneScale(value);
}

void MainWindow::saveSvg()
{
    resultViews->saveSvg();
}

void MainWindow::saveOperonSvg()
{
    resultViews->saveOperonSvg();
}
