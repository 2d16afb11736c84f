#include "FindFileForm.h"
#include "ui_FindFileForm.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTableWidgetItem>
#include <QTextStream>

FindFileForm::FindFileForm(QWidget* parent) : QDialog(parent), ui(new Ui::FindFileForm)
{
    ui->setupUi(this);
    ui->statusLabel->setText(tr("Ready"));
    ui->resultLabel->setText(tr("Locate 0 file"));
    ui->dirComboBox->setEditText(QDir::currentPath());
    ui->dirComboBox->insertItem(0, QDir::currentPath());
    ui->sensitiveCheckBox->setEnabled(false);
    // Stop only has something to end while a search runs.
    ui->stopPushBtn->setEnabled(false);

    connect(ui->findPushBtn, &QPushButton::clicked, this, &FindFileForm::find);
    connect(ui->stopPushBtn, &QPushButton::clicked, this, &FindFileForm::stop);
    connect(ui->closePushBtn, &QPushButton::clicked, this, &FindFileForm::hide);
    connect(ui->browsePushBtn, &QPushButton::clicked, this, &FindFileForm::browse);
    connect(ui->txtLineEdit, &QLineEdit::textChanged, this, &FindFileForm::doTxtChange);
}

FindFileForm::~FindFileForm()
{
    delete ui;
}

QString FindFileForm::chooseDirectory()
{
    return QFileDialog::getExistingDirectory(this, tr("Choose directory"), QDir::currentPath(),
                                             QFileDialog::ShowDirsOnly);
}

void FindFileForm::browse()
{
    const QString directory = chooseDirectory();
    if (directory.isEmpty())
        return;
    ui->dirComboBox->addItem(directory);
    ui->dirComboBox->setCurrentIndex(ui->dirComboBox->currentIndex() + 1);
}

void FindFileForm::stop()
{
    m_stopRequested = true;
}

void FindFileForm::doTxtChange(const QString& text)
{
    // Case sensitivity only matters for a content search.
    ui->sensitiveCheckBox->setEnabled(!text.isEmpty());
}

void FindFileForm::find()
{
    ui->frame->setEnabled(false);
    ui->findPushBtn->setEnabled(false);
    ui->stopPushBtn->setEnabled(true);
    ui->statusLabel->setText(tr("Locating..."));
    ui->resultTableWidget->setRowCount(0);

    const QString text = ui->txtLineEdit->text();
    const QString directory = ui->dirComboBox->currentText();
    m_includeSubfolders = ui->subfolderCheckBox->isChecked();
    m_caseSensitive = ui->sensitiveCheckBox->isChecked();
    m_foundCount = 0;
    m_stopRequested = false;

    searchDirectory(directory, QStringLiteral("*"), text);

    ui->statusLabel->setText(m_stopRequested ? tr("Stoped") : tr("Ready"));
    ui->findPushBtn->setEnabled(true);
    ui->stopPushBtn->setEnabled(false);
    ui->frame->setEnabled(true);
}

void FindFileForm::searchDirectory(const QString& path, const QString& pattern,
                                   const QString& text)
{
    const QDir dir(path);
    if (m_includeSubfolders) {
        // Linked folders are not followed: a link back to an ancestor would
        // otherwise make the search endless.
        const QStringList subdirectories =
            dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
        for (const QString& name : subdirectories) {
            QCoreApplication::processEvents();
            if (m_stopRequested)
                break;
            searchDirectory(QStringLiteral("%1/%2").arg(dir.absolutePath(), name), pattern, text);
        }
    }
    const QStringList names = findFiles(dir, pattern, text);
    showFiles(dir, names);
    m_foundCount += int(names.size());
    ui->resultLabel->setText(tr("Locate %1 files").arg(m_foundCount));
}

QStringList FindFileForm::findFiles(const QDir& dir, const QString& pattern, const QString& text)
{
    const QStringList names =
        dir.entryList(QStringList(pattern), QDir::Files | QDir::NoSymLinks, QDir::Unsorted);
    if (text.isEmpty())
        return names;

    QStringList kept;
    for (const QString& name : names) {
        QCoreApplication::processEvents();
        if (m_stopRequested)
            break;
        if (fileContains(dir.absoluteFilePath(name), text))
            kept << name;
    }
    return kept;
}

bool FindFileForm::fileContains(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const Qt::CaseSensitivity cs = m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QTextStream in(&file);
    while (!in.atEnd() && !m_stopRequested) {
        if (in.readLine().contains(text, cs))
            return true;
    }
    return false;
}

void FindFileForm::showFiles(const QDir& dir, const QStringList& names)
{
    QTableWidget* table = ui->resultTableWidget;
    for (const QString& name : names) {
        const QFileInfo info(dir.absoluteFilePath(name));

        auto* nameItem = new QTableWidgetItem(info.absoluteFilePath());
        nameItem->setFlags(Qt::ItemIsEnabled);
        auto* sizeItem = new QTableWidgetItem(tr("%1 KB").arg((info.size() + 1023) / 1024));
        sizeItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sizeItem->setFlags(Qt::ItemIsEnabled);

        // Not every file system records a birth time; the time of the last
        // status change stands in for it then.
        QDateTime created = info.birthTime();
        if (!created.isValid())
            created = info.metadataChangeTime();
        auto* timeItem = new QTableWidgetItem(created.toString(tr("yyyy/MM/dd hh:mm")));

        QString rights;
        if (info.isWritable())
            rights += QLatin1Char('w');
        if (info.isReadable())
            rights += QLatin1Char('r');
        if (info.isExecutable())
            rights += QStringLiteral(" x");
        auto* rightsItem = new QTableWidgetItem(rights);

        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, nameItem);
        table->setItem(row, 1, sizeItem);
        table->setItem(row, 2, timeItem);
        table->setItem(row, 3, rightsItem);
    }
}
