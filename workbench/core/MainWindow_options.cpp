// Prediction > Options…: the dialog of the run's stages, the evidence choice
// and the seed, and handing the seed of each run to the engines.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "PredictionOptionsDialog.h"
#include "RunSeed.h"

#include <QAction>
#include <QDebug>
#include <QMenu>
#include <QSettings>

void MainWindow::setupPredictionOptions()
{
    predictionOptionsAction = new QAction(tr("&Options…"), this);
    predictionOptionsAction->setObjectName(QStringLiteral("actionPredictionOptions"));
    predictionOptionsAction->setStatusTip(tr("What a prediction finds, operon evidence and the seed of the operon engine"));
    ui->menu_predict->addSeparator();
    ui->menu_predict->addAction(predictionOptionsAction);
    connect(predictionOptionsAction, &QAction::triggered, this, &MainWindow::showPredictionOptions);
}

void MainWindow::showPredictionOptions()
{
    PredictionOptionsDialog dialog(
        tr("seed %1").arg(meridan::runseed::defaultSeed), this);
    const QString panelKey = QLatin1String(PanelSettingKey);
    dialog.setOptions({evidenceOperonsAction && evidenceOperonsAction->isChecked(), meridan::runseed::chosenSeed(),
                       QSettings().value(panelKey).toString()});
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PredictionOptionsDialog::Options chosen = dialog.options();
    if (evidenceOperonsAction)
        evidenceOperonsAction->setChecked(chosen.evidenceOperons);
    meridan::runseed::setChosenSeed(chosen.seed);
    QSettings().setValue(panelKey, chosen.panel);
}

void MainWindow::useSeedForRun()
{
    const quint32 seed = meridan::runseed::applySeedForNextRun();
    const QString text = meridan::runseed::describeSeed(seed);
    qInfo().noquote() << "operon engine:" << text;
}
