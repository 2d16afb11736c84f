#include "FindDialog.h"

#include "ui_FindDialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QShowEvent>

FindDialog::FindDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::FindDialog)
{
    ui->setupUi(this);
    connect(ui->findPushBtn, &QPushButton::clicked, this, &FindDialog::find);
    connect(ui->stopPushBtn, &QPushButton::clicked, this, &FindDialog::stop);
    connect(ui->stopPushBtn, &QPushButton::clicked, this, &FindDialog::doComboxChange);
    connect(ui->contentEdit, &QLineEdit::textChanged, this, &FindDialog::doTxtchange);
    ui->findPushBtn->setEnabled(false);
    // Return in the search text finds; it never stops.
    ui->findPushBtn->setDefault(true);
    ui->stopPushBtn->setAutoDefault(false);
    resultLabel = new QLabel(this);
    resultLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    ui->verticalLayout->addWidget(resultLabel);
}

QString FindDialog::resultText() const
{
    return resultLabel->text();
}

void FindDialog::showResult(bool found)
{
    resultLabel->setText(found ? QString()
                               : tr("\"%1\" not found as a %2.")
                                     .arg(searchText,
                                          searchField == 0 ? tr("gene name") : tr("synonym")));
}

void FindDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->contentEdit->setFocus(Qt::OtherFocusReason);
    ui->contentEdit->selectAll();
}

FindDialog::~FindDialog()
{
    delete ui;
}

void FindDialog::find()
{
    QCoreApplication::processEvents();
    ui->findPushBtn->setEnabled(false);
    searchText = ui->contentEdit->text();
    searchField = ui->comboBox->currentIndex();
    // The window searches synchronously before this returns.
    emit findContent(searchText, searchField);
}

void FindDialog::stop()
{
    stopRequested = true;
}

void FindDialog::doTxtchange(const QString &txt)
{
    ui->findPushBtn->setEnabled(!txt.isEmpty());
    resultLabel->clear();
}

void FindDialog::doComboxChange()
{
    ui->findPushBtn->setEnabled(true);
}
