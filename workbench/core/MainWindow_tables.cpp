// The tables of operons and TUs: a dock beside the genome browser, filled
// when results are loaded (with the operon link probabilities when the run
// wrote results/ID_operon_pairs.tsv), in step with the tree's selection,
// and the export of the selected rows.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GenomeBrowser.h"
#include "GenomeBrowserPanel.h"
#include "ResultViews.h"
#include "UnitTablePanel.h"
#include "UserPrompts.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>
#include <QSettings>

void MainWindow::createUnitTables()
{
    unitTablePanel = new UnitTablePanel;
    tablesDock = addResultDock(tr("Operons and TUs"), QStringLiteral("tablesDock"), unitTablePanel);
    tabifyDockWidget(dnaDock, tablesDock);
    tablesDock->hide();

    tablesAction = new QAction(tr("Operon and TU &Tables"), this);
    tablesAction->setObjectName(QStringLiteral("actionUnitTables"));
    tablesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    tablesAction->setStatusTip(tr("Sortable, filterable tables of the operons and transcription units"));
    tablesAction->setEnabled(false);
    ui->menu_edit->insertAction(ui->actionDNA, tablesAction);
    connect(tablesAction, &QAction::triggered, this, [this] {
        tablesDock->show();
        tablesDock->raise();
        unitTablePanel->selectGene(selectedGeneIndex());
        unitTablePanel->filterField()->setFocus();
    });

    connect(this, &MainWindow::Predict_Operon, unitTablePanel, [this] {
        unitTablePanel->setProject(model, dnaView->browser()->features(), model.operonLinks);
        tablesAction->setEnabled(!model.genes.isEmpty());
    });
    connect(resultViews, &ResultViews::geneSelected, unitTablePanel, &UnitTablePanel::selectGene);
    connect(unitTablePanel, &UnitTablePanel::geneActivated, this, [this](int gene) {
        selectGeneRow(gene);
        if (dnaDock->isVisible())
            dnaView->browser()->showGene(gene);
    });
    connect(unitTablePanel, &UnitTablePanel::exportRequested, this, &MainWindow::exportTableRows);
}

void MainWindow::exportTableRows(const QString& tsv)
{
    const QString key = QStringLiteral("tables/exportFolder");
    const QString kind = unitTablePanel->model()->kind() == UnitTableModel::Operons ? QStringLiteral("operons")
                                                                                    : QStringLiteral("tus");
    const QString folder = QSettings().value(key, resultDir).toString();
    const QString suggested = QFileInfo(folder + QLatin1Char('/') + genomeId + QLatin1Char('_') + kind
                                        + QStringLiteral("_table.tsv")).absoluteFilePath();
    const QString path = UserPrompts::current().saveFileName(this, tr("Export Table Rows"), suggested,
                                                             tr("Tab-separated text (*.tsv);;All files (*)"));
    if (path.isEmpty())
        return;
    QSettings().setValue(key, QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(tsv.toUtf8()) < 0 || !file.commit()) {
        UserPrompts::current().warning(this, tr("Export Table Rows"),
                                       tr("%1 could not be written: %2").arg(path, file.errorString()));
        return;
    }
    showStatusFor5Seconds(tr("%1 written").arg(QFileInfo(path).fileName()));
}
