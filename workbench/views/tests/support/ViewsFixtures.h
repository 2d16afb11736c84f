// Small projects and a stand-alone set of result widgets for the view tests.
#pragma once

#include "ProjectModel.h"
#include "ResultViews.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

class GlobalView;

namespace viewsfixtures {

GeneEntry gene(int start, int end, const QString &strand, const QString &name,
               const QString &synonym);

// A unit of the TU list with the given member gene indexes.
TuEntry unit(const ProjectModel &model, int group, int number, const QVector<int> &indexes);

// Inserts a unit the way the TU-list reader does (the newest first per key).
void addUnit(ProjectModel &model, int group, int number, const QVector<int> &indexes);

// A 20 000 bp genome with forward and reverse genes, a promoter and a
// terminator, and operon numbers 0, 1 and 3 (1 with two alternative units).
ProjectModel sampleProject();

// The widgets of the window's result area with the ranges of its form.
struct Harness {
    explicit Harness(const ProjectModel &model);
    ~Harness();

    // Shows the window; false when it never came on screen.
    bool show();
    // Builds the tree and draws the unit of top-level row `row` in the
    // detail view; returns the detail scene.
    QGraphicsScene *drawUnit(int row = 0);

    QWidget window;
    QTreeWidget *tree;
    QTableWidget *table;
    GlobalView *genomeView;
    QSlider *genomeSlider;
    QGraphicsView *operonView;
    QSlider *geneSlider;
    QAction *zoomAction;
    std::unique_ptr<ResultViews> views;
};

// The same widgets with the operon tree built, as after the window's
// "Predict Operon".
struct PredictedHarness : Harness {
    explicit PredictedHarness(const ProjectModel &model) : Harness(model)
    {
        views->slotPredictOperon();
    }
};

// Finds the tree's gene row of a gene index (first match).
QTreeWidgetItem *geneRow(QTreeWidget *tree, int geneIndex);

} // namespace viewsfixtures

// A test main that runs the widgets offscreen.
#define MERIDAN_VIEWS_TEST_MAIN(TestClass)                \
    int main(int argc, char **argv)                       \
    {                                                     \
        qputenv("QT_QPA_PLATFORM", "offscreen");          \
        QApplication app(argc, argv);                     \
        TestClass test;                                   \
        return QTest::qExec(&test, argc, argv);           \
    }
