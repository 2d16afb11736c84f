#include "ViewsFixtures.h"

#include "GlobalView.h"

#include <QHBoxLayout>

namespace viewsfixtures {

GeneEntry gene(int start, int end, const QString &strand, const QString &name,
               const QString &synonym)
{
    return GeneEntry{.start = start, .end = end, .strand = strand, .gene = name, .cog = "COG0001E",
                     .length = (end - start + 1) / 3 - 1, .product = "example protein ",
                     .pid = "pid-" + synonym, .synonym = synonym};
}

TuEntry unit(const ProjectModel &model, int group, int number, const QVector<int> &indexes)
{
    TuEntry tu;
    tu.groupNumber = group;
    tu.unitNumber = number;
    tu.geneIndexes = indexes;
    for (int g : indexes) {
        const GeneEntry &e = model.genes.value(g);
        tu.strand = e.strand;
        tu.members << QString("%1|%2|%3").arg(e.synonym, e.pid).arg(g);
        tu.geneNames += e.gene + "/";
    }
    tu.promoterBox35 = "-";
    tu.promoterBox10 = "-";
    tu.terminatorSequence = "-";
    return tu;
}

void addUnit(ProjectModel &model, int group, int number, const QVector<int> &indexes)
{
    model.tuMap.insert(group, unit(model, group, number, indexes));
}

ProjectModel sampleProject()
{
    ProjectModel m;
    m.genomeTitle = "Examplea coli K-12";
    m.genomeLength = 20000;
    QString dna;
    const char bases[] = "ACGT";
    for (int i = 0; i < m.genomeLength; ++i)
        dna += QLatin1Char(bases[(i * 7 + i / 3) % 4]);
    m.forwardSequence = dna;
    for (QChar c : dna)
        m.complementSequence += c == 'A' ? 'T' : c == 'T' ? 'A' : c == 'G' ? 'C' : 'G';

    m.genes << gene(1234, 1500, "+", "abcA", "xb0001")     // 0
            << gene(1600, 2000, "+", "abcB", "xb0002")     // 1
            << gene(3000, 3999, "-", "defC", "xb0003")     // 2
            << gene(4100, 5200, "-", "defD", "xb0004")     // 3
            << gene(5300, 5800, "-", "defE", "xb0005")     // 4
            << gene(8000, 9000, "+", "ghiF", "xb0010")     // 5
            << gene(19500, 300, "+", "oriG", "xb0011");    // 6, across the origin
    m.geneCount = m.genes.size();

    addUnit(m, 0, 1, {0, 1});
    addUnit(m, 1, 1, {2, 3, 4});
    addUnit(m, 1, 2, {3, 4});
    addUnit(m, 3, 1, {5});

    PromoterEntry p;
    p.name = "xb0001";
    p.start = -150;
    p.end = -100;
    p.score = 4.5;
    p.firstBox = "TTGACA";
    p.secondBox = "TATAAT";
    m.promoterMap.insert(p.name, p);

    TerminatorEntry t;
    t.label = "xb0002";
    t.start = 20;
    t.stem = 8;
    t.loop = 4;
    t.tail = 7;
    t.totalLength = 27;
    t.sequence = "GCCCGCCTAATGAGCGGGCTTTTTTTT";
    t.score = 3.25;
    m.terminators << t;
    m.terminatorMap.insert(t.label, t);
    return m;
}

Harness::Harness(const ProjectModel &model)
{
    auto *layout = new QHBoxLayout(&window);
    tree = new QTreeWidget;
    tree->setColumnCount(10);
    tree->setHeaderLabels({"Transcript Unit", "Synonym", "Gene", "Start", "End", "Strand",
                           "DNA Length", "COG Number", "Product", "Private Gene Id"});
    table = new QTableWidget;
    genomeView = new GlobalView;
    genomeSlider = new QSlider(Qt::Vertical);
    operonView = new QGraphicsView;
    geneSlider = new QSlider(Qt::Vertical);
    zoomAction = new QAction("Zoom", &window);
    zoomAction->setEnabled(false);
    for (QWidget *wdg : {static_cast<QWidget *>(tree), static_cast<QWidget *>(table),
                         static_cast<QWidget *>(genomeSlider), static_cast<QWidget *>(genomeView),
                         static_cast<QWidget *>(geneSlider), static_cast<QWidget *>(operonView)})
        layout->addWidget(wdg);
    window.resize(1400, 700);

    views = std::make_unique<ResultViews>(
        model, ResultViewWidgets{.tree = tree, .table = table, .genomeView = genomeView,
                                 .genomeSlider = genomeSlider, .operonView = operonView,
                                 .geneSlider = geneSlider, .zoomAction = zoomAction,
                                 .dialogParent = &window});
    views->setUpViews();
    views->connectControls();
}

Harness::~Harness()
{
    views.reset();
}

bool Harness::show()
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

QGraphicsScene *Harness::drawUnit(int row)
{
    views->slotPredictOperon();
    views->slotGenomeView(tree->topLevelItem(row), 0);
    return views->operonScene();
}

QTreeWidgetItem *geneRow(QTreeWidget *tree, int geneIndex)
{
    const auto rows = tree->findItems(QString::number(geneIndex),
                                      Qt::MatchExactly | Qt::MatchRecursive, 9);
    return rows.isEmpty() ? nullptr : rows.first();
}

} // namespace viewsfixtures
