// The tool windows of the main window: the DNA line window for the stretch
// around the selected tree row, the find-files tool, the promoter and
// terminator query forms, help and about.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "AboutDialog.h"
#include "DnaStretch.h"
#include "DrawDNA.h"
#include "FindFileForm.h"
#include "HelpDialog.h"
#include "QPromoterDlg.h"
#include "QTerminatorDlg.h"

#include <QTreeWidget>

namespace {

void bringToFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void MainWindow::connectToolActions()
{
    connect(ui->actionDNA, &QAction::triggered, this, &MainWindow::ini_DNA);
    // The DNA line needs the tree's genes: it becomes available with them.
    connect(this, &MainWindow::Predict_Operon, this,
            [this] { ui->actionDNA->setEnabled(!model.genes.isEmpty()); });
}

int MainWindow::selectedGeneIndex() const
{
    QTreeWidgetItem* item = ui->treeWidget->currentItem();
    if (!item && ui->treeWidget->topLevelItemCount() > 0)
        item = ui->treeWidget->topLevelItem(0);
    // An operon or unit row stands for its first gene.
    while (item && item->childCount() > 0)
        item = item->child(0);
    if (!item)
        return -1;
    bool ok = false;
    const int gene = item->text(9).toInt(&ok);
    return ok ? gene : -1;
}

void MainWindow::ini_DNA()
{
    DnaStretch stretch = dnaStretchAround(model.genes, selectedGeneIndex());
    if (!stretch.isEmpty()) {
        emit drawDNALine(stretch.geneCounts.data(), stretch.names, stretch.synonyms,
                         stretch.operonCount(), stretch.strands, stretch.starts.data(),
                         stretch.ends.data());
    }
    bringToFront(dnaView);
}

void MainWindow::doFind()
{
    if (!findFileForm) {
        findFileForm = new FindFileForm;
        ownedDialogs << findFileForm;
    }
    bringToFront(findFileForm);
}

void MainWindow::ini_helpDilg()
{
    bringToFront(helpDialog);
}

void MainWindow::ini_aboutDilg()
{
    bringToFront(aboutDialog);
}

void MainWindow::slotPromoterPre()
{
    bringToFront(promoterDialog);
}

void MainWindow::slotTerminatorPre()
{
    bringToFront(terminatorDialog);
}
