#include "SummaryDialog.h"
#include "ui_SummaryDialog.h"

#include <QFile>
#include <QFont>

SummaryDialog::SummaryDialog(QWidget* parent) : QDialog(parent), ui(new Ui::SummaryDialog)
{
    ui->setupUi(this);
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::close);
}

SummaryDialog::~SummaryDialog()
{
    delete ui;
}

void SummaryDialog::setSummaryPath(const QString& path)
{
    m_summaryPath = path;
}

void SummaryDialog::showStatistics()
{
    QFile file(m_summaryPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);

    QFont heading(QStringLiteral("Times"), 12);
    heading.setBold(true);
    ui->textBrowser->setFont(heading);
    ui->textBrowser->setText(tr("Count of ATU"));
    ui->textBrowser->setFont(QFont(QStringLiteral("Times"), 12, QFont::Normal));
    ui->textBrowser->append(QString::fromLatin1(bytes));
}

QString SummaryDialog::statisticsText() const
{
    return ui->textBrowser->toPlainText();
}
