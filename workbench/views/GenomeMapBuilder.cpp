#include "GenomeMapBuilder.h"

#include "GeneLine.h"
#include "OperonsScene.h"
#include "ProjectModel.h"
#include "QGraOperonItem.h"

#include <QBrush>
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsTextItem>
#include <QPen>

GenomeMapBuilder::GenomeMapBuilder(const ProjectModel &m)
    : model(m), geometry(m.genomeLength)
{
}

QColor GenomeMapBuilder::evenOperonColor()
{
    return QColor(58, 193, 255);
}

QColor GenomeMapBuilder::oddOperonColor()
{
    return QColor(213, 175, 255);
}

OperonsScene *GenomeMapBuilder::build()
{
    genomeScene = new OperonsScene;
    genomeScene->setSceneRect(-2000, -2000, 4000, 4000);
    lines.clear();
    drawFrame();
    drawGenes();
    drawOperons();
    return genomeScene;
}

void GenomeMapBuilder::drawFrame()
{
    const double D = geometry.diameter;
    const double R = geometry.radius;

    QPen solid(QBrush(Qt::black), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    QPen dotted(Qt::black, 0, Qt::DotLine);
    genomeScene->addEllipse(-D / 2, -D / 2, D, D, solid);
    genomeScene->addEllipse(-(D - 100) / 2, -(D - 100) / 2, D - 100, D - 100, solid);
    genomeScene->addEllipse(-(D - 50) / 2, -(D - 50) / 2, D - 50, D - 50, dotted);

    const QPointF strandLabels[] = {{R + 25, R + 25}, {-R - 25, -R - 25},
                                    {R + 25, -R - 25}, {-R - 25, R + 25}};
    for (const QPointF &at : strandLabels)
        genomeScene->addText(QObject::tr("Forward Strand / +"))->setPos(at);

    QGraphicsTextItem *centre = genomeScene->addText(
        model.genomeTitle + "\n" + QObject::tr("%1 bp").arg(model.genomeLength),
        QFont("Times", 5));
    centre->setPos(-20, 0);
    label = centre;

    const QLineF axes[] = {{0, R + 200, 0, R - 200}, {0, -R - 200, 0, -R + 200},
                           {R + 200, 0, R - 200, 0}, {-R - 200, 0, -R + 200, 0}};
    for (const QLineF &axis : axes)
        genomeScene->addLine(axis, dotted)->setFlag(QGraphicsItem::ItemIsSelectable, true);
}

void GenomeMapBuilder::drawGenes()
{
    const double R = geometry.radius;
    lines.fill(nullptr, model.genes.size());
    if (!geometry.valid())
        return;
    for (int g = 0; g < model.genes.size(); ++g) {
        const GeneEntry &gene = model.genes[g];
        const double a = geometry.geneAngle(gene.start, gene.end);
        // One scene unit of stroke length per 100 base pairs.
        const double n = geometry.geneSpan(gene.start, gene.end) / 100.0;
        QPointF from, to;
        if (gene.strand == "+") {
            from = genomemap::Geometry::pointAt(R + 1, a);
            to = genomemap::Geometry::pointAt(R + 1 + n, a);
        } else if (gene.strand == "-") {
            from = genomemap::Geometry::pointAt(R - 51, a);
            to = genomemap::Geometry::pointAt(R - 50 - n, a);
        } else {
            continue;
        }
        auto *line = new GeneLine(from.x(), from.y(), to.x(), to.y(), g);
        line->setFlag(QGraphicsItem::ItemIsSelectable, true);
        line->setToolTip(QObject::tr("Synonym: %1\n").arg(gene.synonym)
                         + QObject::tr("Gene: ") + gene.gene + "\n"
                         + QObject::tr("Position: %1 - %2").arg(gene.start).arg(gene.end));
        genomeScene->addItem(line);
        lines[g] = line;
    }
}

void GenomeMapBuilder::drawOperons()
{
    plusOperonCount = 0;
    minusOperonCount = 0;
    if (model.tuMap.isEmpty())
        return;
    const int lastKey = model.tuMap.lastKey();
    for (int k = 0; k <= lastKey; ++k) {
        // values() lists the most recently inserted unit first; among units
        // of equally few genes the one inserted first wins, hence "<=".
        const QList<TuEntry> units = model.tuMap.values(k);
        const TuEntry *chosen = nullptr;
        for (const TuEntry &unit : units) {
            if (!chosen || unit.members.size() <= chosen->members.size())
                chosen = &unit;
        }
        if (!chosen || chosen->geneIndexes.isEmpty())
            continue;
        drawOperonOnMap(chosen->geneIndexes.first(), chosen->geneIndexes.last());
    }
}

void GenomeMapBuilder::drawOperonOnMap(int firstGene, int lastGene)
{
    const int count = model.genes.size();
    if (!genomeScene || !geometry.valid() || firstGene < 0 || lastGene < 0
        || firstGene >= count || lastGene >= count)
        return;
    const GeneEntry &first = model.genes[firstGene];
    if (first.strand == "+")
        ++plusOperonCount;
    else if (first.strand == "-")
        ++minusOperonCount;

    // Forward operons fill the ring between the outer and the dotted circle,
    // reverse operons the ring between the dotted and the inner circle.
    const double R = geometry.radius;
    auto bandEnds = [&](const GeneEntry &gene, QPointF &a, QPointF &b) {
        const double angle = geometry.geneAngle(gene.start, gene.end);
        if (gene.strand == "+") {
            a = genomemap::Geometry::pointAt(R - 2, angle);
            b = genomemap::Geometry::pointAt(R - 20, angle);
        } else if (gene.strand == "-") {
            a = genomemap::Geometry::pointAt(R - 48, angle);
            b = genomemap::Geometry::pointAt(R - 30, angle);
        } else {
            return false;
        }
        return true;
    };

    QPointF firstA, firstB;
    if (!bandEnds(first, firstA, firstB))
        return;
    if (firstGene == lastGene) {
        auto *line = new GeneLine(firstA.x(), firstA.y(), firstB.x(), firstB.y(), firstGene);
        line->setFlag(QGraphicsItem::ItemIsSelectable, true);
        line->setToolTip(QObject::tr("Operon:") + "\n" + first.gene);
        line->setCursor(Qt::PointingHandCursor);
        genomeScene->addItem(line);
        return;
    }

    QPointF lastA, lastB;
    if (!bandEnds(model.genes[lastGene], lastA, lastB))
        return;
    auto *band = new QGraOperonItem(QPolygonF({firstA, firstB, lastB, lastA}));
    const int strandCount = first.strand == "+" ? plusOperonCount : minusOperonCount;
    const QColor c = strandCount % 2 == 0 ? evenOperonColor() : oddOperonColor();
    band->setBrush(QBrush(c, Qt::SolidPattern));
    band->setPen(QPen(c, 0));
    band->setData(0, firstGene);
    band->setFlag(QGraphicsItem::ItemIsSelectable, true);
    QString names;
    for (int g = firstGene; g <= lastGene; ++g)
        names += model.genes[g].gene + "/";
    band->setToolTip(QObject::tr("Operon:") + "\n" + names);
    band->setCursor(Qt::PointingHandCursor);
    genomeScene->addItem(band);
}
