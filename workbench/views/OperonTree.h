// The operon/TU tree: one top-level row per operon number, its alternative
// transcription units as child rows, and one row per member gene.
#pragma once

#include <QString>

struct ProjectModel;
class QTreeWidget;
class QTreeWidgetItem;

namespace operontree {

// Columns of the tree, the same for every row.
enum Column {
    UnitColumn = 0,       // "Operon %1" / "Transcript Unit %1"
    SynonymColumn = 1,    // synonym, or the unit's gene names
    GeneColumn = 2,
    StartColumn = 3,
    EndColumn = 4,
    StrandColumn = 5,
    LengthColumn = 6,
    CogColumn = 7,
    ProductColumn = 8,
    GeneIdColumn = 9,     // the gene index every handler reads back
    ColumnCount = 10
};

// Empties the tree and fills it from the project's transcription units, so a
// second prediction never lists an operon twice.
void fillOperonTree(QTreeWidget *tree, const ProjectModel &model);

// The gene index of a gene row, or -1 for a row that is not a gene row.
int geneIndexOf(const QTreeWidgetItem *item);

// Deselects and collapses the tree, then selects every row whose column
// holds the text (any letter case, all levels) and expands its ancestors.
// Returns the first match, or null.
QTreeWidgetItem *selectMatches(QTreeWidget *tree, const QString &text, int column);

} // namespace operontree
