// The tables of operons and of transcription units: a choice of the two, a
// text filter over names, locus tags and products, sorting by any column,
// selection in step with the other views, and the selected rows copied
// (Ctrl+C) or exported as tab-separated text.
#pragma once

#include "UnitTableModel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

class UnitTablePanel : public QWidget {
    Q_OBJECT
public:
    explicit UnitTablePanel(QWidget *parent = nullptr);

    // Fills both tables; links as for UnitTableModel.
    void setProject(const ProjectModel &model, const browser::Features &features,
                    const QHash<QString, double> &links = {});
    void showKind(UnitTableModel::Kind kind);
    UnitTableModel *model() const;
    QSortFilterProxyModel *proxy() const { return proxy_; }
    QTableView *view() const { return view_; }
    QLineEdit *filterField() const { return filter_; }

    // The selected rows (as shown, top to bottom) as tab-separated text with a header.
    QString selectedTsv() const;

public slots:
    // Selects the row holding the gene without announcing it.
    void selectGene(int gene);
    void copySelection();

signals:
    // A row became current: its first gene.
    void geneActivated(int gene);
    // "Export selected…": the text to save.
    void exportRequested(const QString &tsv);

private:
    void currentChanged();
    void updateCount();

    UnitTableModel *operons_ = nullptr;
    UnitTableModel *units_ = nullptr;
    QSortFilterProxyModel *proxy_ = nullptr;
    QTableView *view_ = nullptr;
    QComboBox *kind_ = nullptr;
    QLineEdit *filter_ = nullptr;
    QLabel *count_ = nullptr;
    bool selecting_ = false;
};
