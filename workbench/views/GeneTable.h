// The gene information table: the details of one gene, or the member list
// of one operon or transcription unit.
#pragma once

#include <QString>

struct GeneEntry;
struct ProjectModel;
struct PromoterEntry;
struct TerminatorEntry;
class QTableWidget;
class QTreeWidgetItem;

namespace genetable {

// Fills the table for a double-clicked tree row: a gene row shows its gene,
// a row whose children are genes lists them, an operon row whose children
// are units leaves the table as it is. A gene index outside the genes
// leaves it as it is too.
void fillFromTreeRow(QTableWidget *table, const ProjectModel &model, QTreeWidgetItem *item);

// The 16 rows of one gene's details. Does nothing for an index outside the genes.
void showGene(QTableWidget *table, const ProjectModel &model, int geneIndex);

// A gene's promoter and terminator on the genome: "1085..1135 (+ strand),
// score 4.5" and "... stem 8 bp, loop 4 bp", positions kept within the genome.
QString promoterText(const ProjectModel &model, const GeneEntry &gene, const PromoterEntry &promoter);
QString terminatorText(const ProjectModel &model, const GeneEntry &gene, const TerminatorEntry &terminator);

// One row per child of the row: synonym + "|" + gene name.
void showMembers(QTableWidget *table, QTreeWidgetItem *item);

// The gene's own sequence read 5' to 3': the forward-strand stretch from
// start to end for a "+" gene, its reverse complement otherwise. A gene
// whose end lies before its start runs across the origin and wraps.
QString geneSequence(const ProjectModel &model, int geneIndex);

// Base-wise complement keeping the letter case; other characters unchanged.
QString reverseComplement(const QString &bases);

} // namespace genetable
