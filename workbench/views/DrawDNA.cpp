#include "DrawDNA.h"

#include <QBrush>
#include <QColor>
#include <QDebug>
#include <QFont>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRandomGenerator>

#include <algorithm>
#include <memory>

namespace {

// Scene geometry: one scene unit is 10 bp; genes sit on two lanes.
constexpr int kEvenLaneY = 80;
constexpr int kOddLaneY = 110;
constexpr int kRulerY = 35;
constexpr int kRulerLeft = 20;

int laneOf(int gene) { return (gene % 2 != 0) ? kOddLaneY : kEvenLaneY; }

// Right end of a gene in base pairs; a gene whose start is not below its end
// runs across the origin and is drawn up to start + end.
int drawnEnd(int start, int end) { return start < end ? end : start + end; }

QGraphicsTextItem* addSelectableText(QGraphicsScene* scene, const QString& text,
                                     const QFont& font, qreal x, qreal y)
{
    QGraphicsTextItem* item = scene->addText(text, font);
    item->setPos(x, y);
    item->setFlag(QGraphicsItem::ItemIsSelectable, true);
    return item;
}

void addGeneBar(QGraphicsScene* scene, int gene, bool forward, int start, int end)
{
    const QColor colour = forward ? QColor(Qt::red) : QColor(Qt::green);
    const QPen barPen(colour, 7, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    QPen headPen(colour);
    headPen.setCosmetic(true);

    const qreal x1 = start / 10;
    const qreal x2 = drawnEnd(start, end) / 10;
    const qreal y = laneOf(gene);
    scene->addLine(x1, y, x2, y, barPen);

    QPolygonF head;
    if (forward)
        head << QPointF(x2, y - 3) << QPointF(x2, y + 3) << QPointF(x2 + 5, y);
    else
        head << QPointF(x1, y - 3) << QPointF(x1 - 5, y) << QPointF(x1, y + 3);
    scene->addPolygon(head, headPen, QBrush(colour, Qt::SolidPattern));
}

} // namespace

DrawDNA::DrawDNA(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DrawDNA"));
    m_layout = new QGridLayout(this);
    m_layout->setObjectName(QStringLiteral("gridLayout"));
    m_view = new QGraphicsView(this);
    m_view->setObjectName(QStringLiteral("graphicsView"));
    m_layout->addWidget(m_view, 0, 0);
    m_scene = new QGraphicsScene(this);
    setWindowTitle(tr("DNA Line"));
    resize(900, 320);
    m_random = [] { return QRandomGenerator::global()->generate(); };
}

DrawDNA::~DrawDNA() = default;

void DrawDNA::setRandomSource(RandomSource source)
{
    if (source)
        m_random = std::move(source);
}

void DrawDNA::setRandomSeed(quint32 seed)
{
    auto generator = std::make_shared<QRandomGenerator>(seed);
    m_random = [generator] { return generator->generate(); };
}

void DrawDNA::drawDNALine(int* geneCounts, QStringList firstTexts, QStringList secondTexts,
                          int operonCount, QString strands, int* starts, int* ends)
{
    // A new call replaces the previous stretch entirely.
    m_scene->clear();
    m_geneLabels = firstTexts;
    m_operonCount = operonCount;
    m_strands = strands;

    // The genes are numbered across all operons; the stretch ends with the
    // last of them (missing or negative counts contribute no genes).
    int geneTotal = 0;
    if (geneCounts) {
        for (int op = 0; op < operonCount; ++op)
            geneTotal += std::max(0, geneCounts[op]);
    }
    if (!starts || !ends)
        geneTotal = 0;

    int extent = 0; // right end of the stretch in base pairs
    if (geneTotal > 0) {
        const int last = geneTotal - 1;
        qDebug() << starts[0] << ends[last];
        extent = drawnEnd(starts[last], ends[last]);
    }
    m_scene->setSceneRect(-100, -100, extent / 10 + 600, 500);
    m_scene->setItemIndexMethod(QGraphicsScene::NoIndex);

    // Ruler in kilobases: tick t stands for position 1000 t.
    m_scene->addLine(kRulerLeft, kRulerY, extent / 10 + 100, kRulerY);
    const QFont defaultFont;
    for (int t = 0; t < extent / 1000; ++t) {
        const int x = kRulerLeft + 100 * t;
        m_scene->addLine(x, kRulerY, x, kRulerY + 10);
        addSelectableText(m_scene, QStringLiteral("  %1").arg(1000 * t), defaultFont, x, 30);
    }

    auto geneLabel = [&](int g, const QFont& font, const QColor& colour) {
        const QString text = QStringLiteral("  %1:").arg(g + 1) + firstTexts.value(g) +
                             QLatin1Char('/') + secondTexts.value(g);
        QGraphicsTextItem* item =
            addSelectableText(m_scene, text, font, starts[g] / 10 - 15, laneOf(g));
        item->setDefaultTextColor(colour);
    };
    auto geneBar = [&](int g) {
        const bool forward = g < strands.size() && strands.at(g) == QLatin1Char('+');
        addGeneBar(m_scene, g, forward, starts[g], ends[g]);
    };

    // Operons: a bracket under every operon of two or more genes, alternating
    // between two heights; a single gene gets a randomly coloured label.
    int bracketY = 140;
    int brackets = 0;
    int firstGene = 0;
    for (int op = 0; op < operonCount && geneTotal > 0; ++op) {
        const int count = std::max(0, geneCounts[op]);
        const int g0 = firstGene;
        const int gl = firstGene + count - 1;
        firstGene += count;
        if (count >= 2) {
            const QFont font = (op % 2 == 0) ? QFont(QStringLiteral("Khmer UI"), 8)
                                             : QFont(QStringLiteral("Italic"), 8);
            const int left = starts[g0] / 10;
            m_scene->addLine(left, bracketY - 5, left, bracketY + 5);
            for (int g = g0; g <= gl; ++g) {
                geneLabel(g, font, Qt::black);
                geneBar(g);
            }
            int right = 0;
            int textX = 0;
            if (starts[gl] < ends[gl]) {
                right = ends[gl] / 10;
                textX = (starts[g0] + ends[gl]) / 20 - 25;
            } else {
                right = (ends[gl] + starts[gl]) / 10;
                textX = (ends[gl] + starts[gl] + starts[g0]) / 20 - 25;
            }
            m_scene->addLine(left, bracketY, right, bracketY);
            m_scene->addLine(right, bracketY - 5, right, bracketY + 5);
            addSelectableText(m_scene, QStringLiteral("Operon[%1]").arg(brackets + 1),
                              defaultFont, textX, bracketY);
            ++brackets;
            bracketY = (brackets % 2 == 0) ? 140 : 160;
        } else if (count == 1) {
            const int red = static_cast<int>(m_random() % 256);
            const int green = static_cast<int>(m_random() % 256);
            const int blue = static_cast<int>(m_random() % 256);
            geneLabel(g0, QFont(QStringLiteral("Times"), 8), QColor(red, green, blue));
            geneBar(g0);
        }
    }

    // Strand ends: positions grow to the right, so the forward strand drawn
    // here runs from its 5' end on the left to its 3' end on the right.
    const QFont endFont(QStringLiteral("Times"), 7);
    addSelectableText(m_scene, QStringLiteral("5'"), endFont, 20, 40);
    addSelectableText(m_scene, QStringLiteral("3'"), endFont, extent / 10 + 100, 40);

    m_view->setScene(m_scene);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    m_view->setDragMode(QGraphicsView::ScrollHandDrag);
    m_view->setWindowTitle(tr("DNA"));
    // The ruler starts at position 0, so a stretch far into the genome would
    // open on an empty ruler: bring the genes into view.
    if (geneTotal > 0)
        m_view->centerOn((starts[0] / 10 + extent / 10) / 2.0, 100);
    m_view->show();
}
