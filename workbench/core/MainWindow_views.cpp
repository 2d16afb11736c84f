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
#include "DrawDNA.h"
#include "FindDialog.h"
#include "GlobalView.h"
#include "HelpDialog.h"
#include "QPromoterDlg.h"
#include "QTerminatorDlg.h"
#include "ResultViews.h"
#include "UserPrompts.h"

#include <QTreeWidget>

void MainWindow::createViewDialogs()
{
    helpDialog = new HelpDialog;
    aboutDialog = new AboutDialog;
    findDialog = new FindDialog;
    promoterDialog = new QPromoterDlg;
    terminatorDialog = new QTerminatorDlg;
    dnaView = new DrawDNA;
    dnaView->hide();
    ownedDialogs << helpDialog << aboutDialog << findDialog << promoterDialog << terminatorDialog
                 << dnaView;

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
    resultViews->setSaveFileNameAsker([](QWidget* parent, const QString& caption, const QString& filter) {
        return UserPrompts::current().saveFileName(parent, caption, QString(), filter);
    });
}

void MainWindow::connectViewSignals()
{
    // The sliders reach slotScale and slotGeneScale through connectActions().
    connect(ui->windowGraphicsView, &GlobalView::global_scale, this, &MainWindow::slotGlobalScale);
    connect(findDialog, &FindDialog::findContent, this, &MainWindow::findOperon);
    connect(this, &MainWindow::drawDNALine, dnaView, &DrawDNA::drawDNALine);
}

void MainWindow::doClose()
{
    ui->treeWidget->hide();
    if (findDialog)
        findDialog->hide();
}

void MainWindow::ini_findDilg()
{
    findDialog->show();
}

void MainWindow::slotPredictOperon()
{
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
    resultViews->findOperon(text, field);
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
    lastGenomeScale = resultViews->lastGenomeScale();
}

void MainWindow::slotGlobalScale(int steps)
{
    resultViews->slotGlobalScale(steps);
}

void MainWindow::slotZoom()
{
    resultViews->slotZoom();
}

void MainWindow::slotArrow(double x, double y, int direction, int geneIndex)
{
    resultViews->slotArrow(x, y, direction, geneIndex);
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
    lastGeneScale = resultViews->lastGeneScale();
}

void MainWindow::saveSvg()
{
    resultViews->saveSvg();
}

void MainWindow::saveOperonSvg()
{
    resultViews->saveOperonSvg();
}
