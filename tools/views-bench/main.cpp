// Times the result views on one genome's results: building the operon tree
// and the genome map (slotPredictOperon, which ends in slotOperonView), the
// map alone, the first paint, zooming the map step by step with a repaint
// per step, drawing the largest unit and a broad gene search.
//
//   meridan_views_bench --annotation A --fna F --results DIR/ --id ID
//                       [--runs N] [--shots DIR]
#include "BenchProject.h"
#include "GlobalView.h"
#include "OperonTree.h"
#include "ResultViews.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QSlider>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

struct Stats {
    double min = 0, median = 0, max = 0, mean = 0;
};

Stats statsOf(QVector<double> v)
{
    Stats s;
    if (v.isEmpty())
        return s;
    std::sort(v.begin(), v.end());
    s.min = v.first();
    s.max = v.last();
    s.median = v[v.size() / 2];
    double sum = 0;
    for (double x : v)
        sum += x;
    s.mean = sum / v.size();
    return s;
}

void report(const char *what, const QVector<double> &times)
{
    const Stats s = statsOf(times);
    std::printf("%-38s n=%-3lld min %8.1f  median %8.1f  max %8.1f ms\n", what,
                static_cast<long long>(times.size()), s.min, s.median, s.max);
}

struct Window {
    QWidget root;
    QTreeWidget *tree = new QTreeWidget;
    QTableWidget *table = new QTableWidget;
    GlobalView *genomeView = new GlobalView;
    QSlider *genomeSlider = new QSlider(Qt::Vertical);
    QGraphicsView *operonView = new QGraphicsView;
    QSlider *geneSlider = new QSlider(Qt::Vertical);

    Window()
    {
        tree->setColumnCount(10);
        tree->setHeaderLabels({"Transcript Unit", "Synonym", "Gene", "Start", "End", "Strand",
                               "DNA Length", "COG Number", "Product", "Private Gene Id"});
        genomeSlider->setRange(25, 150);
        genomeSlider->setValue(50);
        geneSlider->setRange(0, 50);
        geneSlider->setValue(25);
        auto *right = new QWidget;
        auto *rightLayout = new QVBoxLayout(right);
        auto *top = new QHBoxLayout;
        top->addWidget(genomeSlider);
        top->addWidget(genomeView, 1);
        auto *bottom = new QHBoxLayout;
        bottom->addWidget(geneSlider);
        bottom->addWidget(operonView, 1);
        rightLayout->addLayout(top, 3);
        rightLayout->addLayout(bottom, 2);
        auto *splitter = new QSplitter;
        splitter->addWidget(tree);
        splitter->addWidget(table);
        splitter->addWidget(right);
        splitter->setSizes({500, 250, 850});
        auto *layout = new QHBoxLayout(&root);
        layout->addWidget(splitter);
        root.resize(1600, 1000);
    }
};

QTreeWidgetItem *largestUnit(QTreeWidget *tree)
{
    QTreeWidgetItem *best = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = tree->topLevelItem(i);
        if (!best || row->childCount() > best->childCount())
            if (row->childCount() > 0 && row->child(0)->childCount() == 0)
                best = row;
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The views write diagnostic lines for every unit drawn; keep the
    // figures readable.
    qputenv("QT_LOGGING_RULES", "default.debug=false");
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"annotation", "Annotation table (PTT layout).", "file"});
    parser.addOption({"fna", "Genome FASTA file.", "file"});
    parser.addOption({"results", "Result folder, with a trailing separator.", "dir"});
    parser.addOption({"id", "Genome identifier.", "id"});
    parser.addOption({"runs", "Repetitions of each measurement.", "n", "5"});
    parser.addOption({"shots", "Folder for window images after the runs.", "dir"});
    parser.addOption({"verbose", "Print the time of every zoom step of the first sweep."});
    parser.process(app);

    viewsbench::Inputs inputs{parser.value("annotation"), parser.value("fna"),
                              parser.value("results"), parser.value("id")};
    ProjectModel model;
    viewsbench::LoadReport loaded;
    const double loadMs = elapsedMs([&] { loaded = viewsbench::loadProject(inputs, model); });
    std::printf("genome %s: %d bp, %lld genes, %lld units in %lld operon numbers, "
                "%lld promoters, %lld terminators (loaded in %.0f ms)\n",
                qPrintable(model.genomeTitle), model.genomeLength,
                static_cast<long long>(model.genes.size()),
                static_cast<long long>(model.tuMap.size()),
                static_cast<long long>(model.tuMap.uniqueKeys().size()),
                static_cast<long long>(model.promoterMap.size()),
                static_cast<long long>(model.terminatorMap.size()), loadMs);
    std::printf("files read: genetag %s, promoters %s, terminators %s, tulist %s%s\n",
                loaded.geneTags ? "yes" : "no", loaded.promoters ? "yes" : "no",
                loaded.terminators ? "yes" : "no", loaded.tuList ? "yes" : "no",
                loaded.neighbourUnits ? " (units made from same-strand neighbours)" : "");
    if (model.genes.isEmpty() || model.genomeLength <= 0) {
        std::fprintf(stderr, "no genes or no genome length: nothing to measure\n");
        return 1;
    }

    Window window;
    ResultViewWidgets widgets;
    widgets.tree = window.tree;
    widgets.table = window.table;
    widgets.genomeView = window.genomeView;
    widgets.genomeSlider = window.genomeSlider;
    widgets.operonView = window.operonView;
    widgets.geneSlider = window.geneSlider;
    widgets.dialogParent = &window.root;
    ResultViews views(model, widgets);
    views.setUpViews();
    views.connectControls();
    window.root.show();
    app.processEvents();

    const int runs = qMax(1, parser.value("runs").toInt());
    QVector<double> predict, firstPaint, mapOnly, treeOnly;
    for (int r = 0; r < runs; ++r) {
        predict << elapsedMs([&] { views.slotPredictOperon(); });
        firstPaint << elapsedMs([&] { window.genomeView->viewport()->repaint(); });
        mapOnly << elapsedMs([&] { views.slotOperonView(); });
        treeOnly << elapsedMs([&] { operontree::fillOperonTree(window.tree, model); });
        app.processEvents();
    }
    // The last tree fill above replaced the rows; build everything once more.
    views.slotPredictOperon();
    app.processEvents();
    report("slotPredictOperon (tree + map)", predict);
    report("  slotOperonView alone", mapOnly);
    report("  tree alone", treeOnly);
    report("first paint of the map", firstPaint);

    // Zoom: every slider step on the whole map, then around a gene.
    QVector<double> zoomWhole, zoomGene;
    for (int r = 0; r < runs; ++r) {
        views.slotZoom();
        for (int v = 0; v <= 120; v += 5)
            zoomWhole << elapsedMs([&] {
                window.genomeSlider->setValue(v);
                window.genomeView->viewport()->repaint();
            });
        for (int v = 120; v >= 0; v -= 5)
            zoomWhole << elapsedMs([&] {
                window.genomeSlider->setValue(v);
                window.genomeView->viewport()->repaint();
            });
    }
    QTreeWidgetItem *someGene = window.tree->topLevelItem(window.tree->topLevelItemCount() / 2);
    while (someGene && someGene->childCount() > 0)
        someGene = someGene->child(0);
    if (someGene) {
        views.slotCenterOn(someGene, 0);
        for (int r = 0; r < runs; ++r)
            for (int step : {1, 1, 1, 1, 1, -1, -1, -1, -1, -1})
                zoomGene << elapsedMs([&] {
                    emit window.genomeView->global_scale(step);
                    window.genomeView->viewport()->repaint();
                });
    }
    report("zoom step + repaint, whole map", zoomWhole);
    if (parser.isSet("verbose")) {
        for (int i = 0; i < 25 && i < zoomWhole.size(); ++i)
            std::printf("  slider %3d: %6.1f ms\n", 5 * i, zoomWhole[i]);
    }
    report("wheel step + repaint, near a gene", zoomGene);

    QVector<double> doubleClick, largest, search;
    QTreeWidgetItem *unit = largestUnit(window.tree);
    for (int r = 0; r < runs && unit; ++r) {
        doubleClick << elapsedMs([&] {
            window.tree->setCurrentItem(r % 2 ? unit->child(0) : unit);
            window.operonView->viewport()->repaint();
            window.genomeView->viewport()->repaint();
        });
        largest << elapsedMs([&] {
            views.slotGenomeView(unit, 0);
            window.operonView->viewport()->repaint();
        });
        search << elapsedMs([&] { views.findOperon(model.genes.first().synonym.left(3), 1); });
    }
    if (unit)
        std::printf("largest unit: %s, %d genes\n", qPrintable(unit->text(0)), unit->childCount());
    report("select gene row (table+unit+centre)", doubleClick);
    report("detail view of the largest unit", largest);
    report("broad synonym search (first 3 chars)", search);

    {
        // The SVG export of the whole map.
        QTemporaryDir dir;
        const QString svg = dir.filePath("map.svg");
        views.setSaveFileNameAsker([&](QWidget *, const QString &, const QString &) { return svg; });
        QVector<double> exportMs;
        exportMs << elapsedMs([&] { views.saveSvg(); });
        report("genome map SVG export", exportMs);
        std::printf("genome map SVG: %lld bytes\n", static_cast<long long>(QFileInfo(svg).size()));
    }

    if (parser.isSet("shots")) {
        const QString dir = parser.value("shots");
        if (unit)
            window.tree->setCurrentItem(unit->child(0));
        app.processEvents();
        window.root.grab().save(dir + "/views-bench-window.png");
        views.slotZoom();
        app.processEvents();
        window.genomeView->grab().save(dir + "/views-bench-map.png");
    }
    return 0;
}
