#include "PredictionOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

PredictionOptionsDialog::PredictionOptionsDialog(const QString& defaultSeedText, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PredictionOptionsDialog"));
    setWindowTitle(tr("Prediction Options"));

    auto* stages = new QGroupBox(tr("A prediction finds, in this order"));
    auto* stageList = new QLabel(
        tr("1. <b>Operons</b>: which neighbouring genes are transcribed together.<br>"
           "2. <b>Promoters</b>: where transcription starts, with their &minus;35 and &minus;10 boxes.<br>"
           "3. <b>Terminators</b>: where transcription stops, with their stem and loop.<br>"
           "4. <b>Transcription units</b>: the operons, promoters and terminators joined into units, "
           "alternative units included."));
    stageList->setWordWrap(true);
    stageList->setTextFormat(Qt::RichText);
    (new QVBoxLayout(stages))->addWidget(stageList);

    auto* operons = new QGroupBox(tr("Operons"));
    evidence_ = new QCheckBox(tr("Refine operons with &evidence"));
    evidence_->setToolTip(tr("Decide operons again from the intergenic distance, functional categories, "
                             "product descriptions, gene lengths and gene names, learned from the genome"));
    ownSeed_ = new QCheckBox(tr("Use my own &seed"));
    seed_ = new QSpinBox;
    seed_->setObjectName(QStringLiteral("seedBox"));
    seed_->setRange(0, std::numeric_limits<int>::max());
    seed_->setEnabled(false);
    seedNote_ = new QLabel(tr("The operon engine starts from random motifs. Without a seed of your own every "
                              "run uses %1, so the same input always gives the same operons.")
                               .arg(defaultSeedText));
    seedNote_->setWordWrap(true);
    connect(ownSeed_, &QCheckBox::toggled, seed_, &QWidget::setEnabled);
    panel_ = new QLineEdit;
    panel_->setObjectName(QStringLiteral("panelEdit"));
    panel_->setPlaceholderText(tr("none"));
    panel_->setToolTip(tr("A folder of annotated genomes (GenBank, GFF3, FASTA with GFF3 or PTT) or a list of "
                          "them: neighbours whose homologues stay neighbours there are rarely split. Needs "
                          "MMseqs2; the panel is prepared once and kept."));
    auto* browse = new QPushButton(tr("&Browse…"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Panel of Genomes"), panel_->text());
        if (!folder.isEmpty())
            panel_->setText(folder);
    });
    connect(evidence_, &QCheckBox::toggled, panel_, &QWidget::setEnabled);
    connect(evidence_, &QCheckBox::toggled, browse, &QWidget::setEnabled);
    auto* panelRow = new QHBoxLayout;
    panelRow->addWidget(panel_);
    panelRow->addWidget(browse);
    auto* form = new QFormLayout(operons);
    form->addRow(evidence_);
    form->addRow(tr("&Panel of genomes:"), panelRow);
    form->addRow(ownSeed_, seed_);
    form->addRow(seedNote_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stages);
    layout->addWidget(operons);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

void PredictionOptionsDialog::setOptions(const Options& options)
{
    evidence_->setChecked(options.evidenceOperons);
    panel_->setText(options.panel);
    panel_->setEnabled(options.evidenceOperons);
    ownSeed_->setChecked(options.seed.has_value());
    if (options.seed)
        seed_->setValue(int(std::min<quint32>(*options.seed, quint32(seed_->maximum()))));
}

PredictionOptionsDialog::Options PredictionOptionsDialog::options() const
{
    Options result;
    result.evidenceOperons = evidence_->isChecked();
    result.panel = panel_->text().trimmed();
    if (ownSeed_->isChecked())
        result.seed = quint32(seed_->value());
    return result;
}
