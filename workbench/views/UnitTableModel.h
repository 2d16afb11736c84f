// The table of operons or of transcription units: one row each with start,
// end, strand, length, genes, locus tags, promoter, terminator, whether it
// is one of several alternative units, and the weakest operon link
// probability of its neighbour pairs when the run wrote them. Sorting is
// numeric where the column is; every row keeps the text a filter searches
// (names, locus tags, products).
#pragma once

#include "BrowserFeatures.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVector>

struct ProjectModel;

class UnitTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Start, End, Strand, Length, Genes, LocusTags, Promoter, Terminator, Alternative, LinkProbability, ColumnCount };
    enum Kind { Operons, Units };
    static constexpr int SearchRole = Qt::UserRole + 1;   // the text a filter searches
    static constexpr int GeneRole = Qt::UserRole + 2;     // the row's first gene
    static constexpr int SortRole = Qt::UserRole + 3;     // numbers as numbers

    explicit UnitTableModel(QObject *parent = nullptr);

    // Fills the rows from the project; links maps "tagA\ttagB" (neighbours in
    // genome order) to the probability that they share an operon; empty:
    // the column stays hidden.
    void setProject(const ProjectModel &model, const browser::Features &features, Kind kind,
                    const QHash<QString, double> &links = {});
    Kind kind() const { return kind_; }
    bool hasLinks() const { return !links_.isEmpty(); }
    // The row of the operon or unit holding gene g, or -1.
    int rowOfGene(int gene) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The header and the given rows (model rows) as tab-separated lines.
    QString tsv(const QVector<int> &rows) const;

private:
    struct Row {
        QString name;
        qint64 start = 0, end = 0;
        QString strand;
        QStringList genes, tags;
        QString promoter, terminator;
        bool alternative = false;
        double link = -1;   // weakest link, -1 for none
        QString search;
        QVector<int> geneIndexes;
    };
    QString text(const Row &row, int column) const;

    Kind kind_ = Operons;
    QVector<Row> rows_;
    QHash<QString, double> links_;
};

// Reads the evidence step's operon pair table (the genome library's reader):
// the probability of each neighbour pair, keyed "first<TAB>second" by locus
// tags. Empty when the file is missing; *problem names file and line of the
// first bad line.
QHash<QString, double> readOperonLinks(const QString &path, QString *problem = nullptr);
