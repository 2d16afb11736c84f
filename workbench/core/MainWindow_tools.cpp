// The tool windows of the main window: the DNA line view (the docked genome
// browser) at the selected tree row, the find-files tool, the promoter and
// terminator query forms, help and about.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "AboutDialog.h"
#include "GenomeBrowser.h"
#include "GenomeBrowserPanel.h"
#include "OperonTree.h"
#include "ResultViews.h"
#include "UserPrompts.h"
#include "FindFileForm.h"
#include "HelpDialog.h"
#include "QPromoterDlg.h"
#include "QTerminatorDlg.h"

#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTreeWidget>

namespace {

// The names of a FASTA file's records (the first word of each header line).
QStringList fastaSequenceNames(const QString& path)
{
    QStringList names;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return names;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.startsWith('>'))
            names << QString::fromLatin1(line.mid(1).trimmed().split(' ').value(0).split('\t').value(0));
    }
    return names;
}

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
    dnaDock->show();
    dnaDock->raise();
    dnaView->browser()->showGene(selectedGeneIndex());
    dnaView->browser()->setFocus();
}

void MainWindow::connectBrowser()
{
    GenomeBrowser* browser = dnaView->browser();
    // Loaded results replace what the browser draws.
    connect(this, &MainWindow::Predict_Operon, browser, [this, browser] {
        browser->setProject(&model);
        browser->setSequenceNames(fastaSequenceNames(fnaPath));
    });
    connect(dnaView, &GenomeBrowserPanel::addTrackRequested, this, &MainWindow::addDataTrack);
    // The open browser goes to the gene selected elsewhere.
    connect(resultViews, &ResultViews::geneSelected, browser, [this, browser](int gene) {
        if (browserSelecting)
            browser->selectGene(gene);
        else if (dnaDock->isVisible())
            browser->showGene(gene);
    });
    // A gene clicked in the browser becomes the tree's current row.
    connect(browser, &GenomeBrowser::geneClicked, this, &MainWindow::selectGeneRow);
}

void MainWindow::selectGeneRow(int gene)
{
    const QList<QTreeWidgetItem*> rows = ui->treeWidget->findItems(
        QString::number(gene), Qt::MatchExactly | Qt::MatchRecursive, operontree::GeneIdColumn);
    if (rows.isEmpty())
        return;
    browserSelecting = true;
    ui->treeWidget->setCurrentItem(rows.first());
    ui->treeWidget->scrollToItem(rows.first());
    browserSelecting = false;
}

void MainWindow::addDataTrack()
{
    const QString key = QStringLiteral("browser/trackFolder");
    const QString path = UserPrompts::current().openFileName(
        this, tr("Add Data Track"), QSettings().value(key).toString(),
        tr("Coverage and features (*.bw *.bigwig *.bigWig *.bedgraph *.bedGraph *.bg *.wig *.bed);;All files (*)"));
    if (path.isEmpty())
        return;
    QSettings().setValue(key, QFileInfo(path).absolutePath());
    const QString problem = dnaView->browser()->addDataTrack(path);
    if (!problem.isEmpty())
        UserPrompts::current().warning(this, tr("Add Data Track"), problem);
    else
        dnaView->tell(tr("Added %1").arg(dnaView->browser()->dataTracks().last().name));
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
