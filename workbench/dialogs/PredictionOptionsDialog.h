// Prediction > Options…: what a prediction run does, in the user's words
// (operons, promoters, terminators, transcription units), whether the
// operons are refined by evidence, and the seed of the operon engine's
// random starting motifs (a fixed one unless the user gives one).
#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class PredictionOptionsDialog : public QDialog {
    Q_OBJECT
public:
    struct Options {
        bool evidenceOperons = true;
        std::optional<quint32> seed;   // none: the fixed default (or MERIDAN_SEED)
        QString panel;                 // other genomes for comparative evidence; empty: none
    };

    // defaultSeedText says which seed a run uses without a seed of its own.
    explicit PredictionOptionsDialog(const QString& defaultSeedText, QWidget* parent = nullptr);

    void setOptions(const Options& options);
    Options options() const;

    QCheckBox* evidenceBox() const { return evidence_; }
    QCheckBox* ownSeedBox() const { return ownSeed_; }
    QSpinBox* seedBox() const { return seed_; }
    QLineEdit* panelEdit() const { return panel_; }

private:
    QCheckBox* evidence_ = nullptr;
    QCheckBox* ownSeed_ = nullptr;
    QSpinBox* seed_ = nullptr;
    QLabel* seedNote_ = nullptr;
    QLineEdit* panel_ = nullptr;
};
