#include "OperonDetail.h"

#include "OperonTree.h"
#include "ProjectModel.h"
#include "meridan/genome/results/TerminatorTable.h"

#include <QBrush>
#include <QCursor>
#include <QDebug>
#include <QFont>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QPen>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace operondetail {

namespace {

// Nearest integer, ties to the even one.
int nint(double v)
{
    return int(std::nearbyint(v));
}

// The thin black outline of the ruler and the gene arrows, one pixel at any zoom.
QPen outlinePen()
{
    return QPen(Qt::black, 0);
}

int columnInt(const QTreeWidgetItem *item, int column)
{
    return item->text(column).toInt();
}

void drawRuler(QGraphicsScene *scene, int s, int e, int b)
{
    const int w = (((e - s) / 500) * 500) / 5;
    scene->addLine(100, 240, w + 400, 240, outlinePen());
    scene->setSceneRect(0, 0, w + 600, 600);
    const int c = ((e - s) + 1500) / 500;
    for (int k = 0; k <= c; ++k) {
        const int x = 100 + 100 * k;
        scene->addLine(x, 242, x, 230, outlinePen());
        QGraphicsTextItem *label = scene->addText(QString(" %1").arg(b + 500 * k));
        // Constant size on screen, centred above its tick.
        label->setFlag(QGraphicsItem::ItemIgnoresTransformations, true);
        label->setPos(x, 229);
        const QRectF box = label->boundingRect();
        label->setTransform(QTransform::fromTranslate(-box.width() / 2, -box.height()));
        label->setData(RulerLabelKey, true);
        label->setFlag(QGraphicsItem::ItemIsSelectable, false);
        if (k < c) {
            for (int j = 1; j <= 9; ++j)
                scene->addLine(x + 10 * j, 240, x + 10 * j, 238, outlinePen());
        }
    }
}

void drawPromoter(QGraphicsScene *scene, const QString &synonym, const PromoterEntry &p,
                  int P, int Q, bool forward)
{
    QPen pen(QBrush(Qt::cyan), 2);
    pen.setCapStyle(Qt::RoundCap);
    const int d = forward ? 20 : -20;
    const int h = forward ? 15 : -15;
    const QLineF lines[4] = {
        {double(P), 240, double(P), 190},
        {double(P), 190, double(Q + d), 190},
        {double(Q + h), 185, double(Q + d), 190},
        {double(Q + h), 195, double(Q + d), 190},
    };
    const QString tip = "Promoter_" + synonym + "\n-10 region: " + p.secondBox
                        + "\n-35 region: " + p.firstBox
                        + QString("\nPosition: %1 / %2")
                              .arg(QString::number(double(p.start), 'g'))
                              .arg(QString::number(double(p.end), 'g'));
    for (int i = 0; i < 4; ++i) {
        QGraphicsLineItem *line = scene->addLine(lines[i], pen);
        line->setToolTip(tip);
        if (i < 2)
            line->setCursor(Qt::IBeamCursor);
    }
}

void drawTerminator(QGraphicsScene *scene, const QString &synonym, const TerminatorEntry &t,
                    int T1, int T2)
{
    qDebug() << synonym << t.score;
    const QPen pen(QBrush(Qt::magenta), 1);
    const QBrush brush(Qt::magenta, Qt::SolidPattern);
    const QString tip = "Terminator_" + synonym
                        + QString("\nPosition: +%1").arg(QString::number(double(t.start), 'g'))
                        + "\n" + t.sequence;
    QGraphicsPolygonItem *stem = scene->addPolygon(
        QPolygonF({QPointF(T1, 240), QPointF(T1, 210), QPointF(T2, 210), QPointF(T2, 240)}),
        pen, brush);
    QGraphicsEllipseItem *loop =
        scene->addEllipse(T1 - 2, 205, std::abs(T2 - T1) + 4, 10, pen, brush);
    for (QGraphicsItem *item : {static_cast<QGraphicsItem *>(stem), static_cast<QGraphicsItem *>(loop)}) {
        item->setToolTip(tip);
        item->setCursor(Qt::IBeamCursor);
    }
}

} // namespace

QTreeWidgetItem *unitRowFor(QTreeWidgetItem *item)
{
    if (!item)
        return nullptr;
    if (item->childCount() == 0)
        return item->parent();
    if (item->child(0)->childCount() == 0)
        return item;
    QTreeWidgetItem *best = nullptr;
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem *child = item->child(i);
        if (!best || child->childCount() > best->childCount()) {
            best = child;
            qDebug() << "childItem" << i;
        }
    }
    return best;
}

int rulerBase(int unitStart)
{
    return (unitStart / 500) * 500 - 500;
}

double sceneX(double position, int base)
{
    return (position - base) / 5 + 100;
}

QPolygonF geneArrow(double xs, double xe, double y, const QString &strand)
{
    if (strand == "+") {
        if (xe - xs <= 20)
            return QPolygonF({{xs, y + 255}, {xs, y + 275}, {xe, y + 265}});
        return QPolygonF({{xs, y + 255}, {xs, y + 275}, {xe - 20, y + 275}, {xe - 20, y + 279},
                          {xe, y + 265}, {xe - 20, y + 251}, {xe - 20, y + 255}});
    }
    if (strand == "-") {
        if (xe - xs <= 20)
            return QPolygonF({{xe, y + 255}, {xe, y + 275}, {xs, y + 265}});
        return QPolygonF({{xe, y + 255}, {xe, y + 275}, {xs + 20, y + 275}, {xs + 20, y + 279},
                          {xs, y + 265}, {xs + 20, y + 251}, {xs + 20, y + 255}});
    }
    return QPolygonF();
}

// The probability that each two neighbouring genes share an operon, under
// the junction between them, when the run wrote the pair table.
static void drawLinkProbabilities(QGraphicsScene *scene, const ProjectModel &model, QTreeWidgetItem *item, int base)
{
    if (model.operonLinks.isEmpty())
        return;
    for (int i = 0; i + 1 < item->childCount(); ++i) {
        const int g = operontree::geneIndexOf(item->child(i));
        const int h = operontree::geneIndexOf(item->child(i + 1));
        if (g < 0 || h < 0 || g >= model.genes.size() || h >= model.genes.size())
            continue;
        const GeneEntry &a = model.genes[g];
        const GeneEntry &c = model.genes[h];
        const auto link = model.operonLinks.constFind(a.synonym + QLatin1Char('\t') + c.synonym);
        if (link == model.operonLinks.constEnd())
            continue;
        const double x = (sceneX(a.end, base) + sceneX(c.start, base)) / 2;
        QGraphicsTextItem *label = scene->addText(QStringLiteral("p %1").arg(*link, 0, 'f', 2), QFont("Sans Serif", 9));
        label->setFlag(QGraphicsItem::ItemIgnoresTransformations, true);
        label->setPos(x, 322); // below both lanes of arrows, inside the unit's margin
        const QRectF box = label->boundingRect();
        label->setTransform(QTransform::fromTranslate(-box.width() / 2, -box.height() / 2));
        label->setDefaultTextColor(*link >= 0.5 ? Qt::darkGreen : Qt::darkRed);
        label->setData(LinkLabelKey, true);
        label->setToolTip(QObject::tr("Probability that %1 and %2 share an operon: %3")
                              .arg(a.synonym, c.synonym)
                              .arg(*link, 0, 'f', 3));
    }
}

bool drawUnit(QGraphicsScene *scene, const ProjectModel &model, QTreeWidgetItem *item)
{
    if (!scene || !item || item->childCount() == 0 || item->child(0)->childCount() > 0)
        return false;

    const int n = item->childCount();
    const int s = columnInt(item->child(0), operontree::StartColumn);
    int e = columnInt(item->child(n - 1), operontree::EndColumn);
    if (e < s)
        e += model.genomeLength;
    const int b = rulerBase(s);
    drawRuler(scene, s, e, b);

    for (int i = 0; i < n; ++i) {
        const int g = operontree::geneIndexOf(item->child(i));
        if (g < 0 || g >= model.genes.size())
            continue;
        const GeneEntry &gene = model.genes[g];
        qDebug() << "geneNameID" << gene.synonym;

        const double xs = sceneX(gene.start, b);
        double xe = sceneX(gene.end, b);
        if (xe < xs)
            xe += model.genomeLength / 5;
        const double y = i % 2 == 1 ? 30 : 0;

        QGraphicsPolygonItem *arrow = scene->addPolygon(
            geneArrow(xs, xe, y, gene.strand), outlinePen(),
            QBrush(i % 2 == 0 ? Qt::cyan : Qt::yellow, Qt::SolidPattern));
        arrow->setFlag(QGraphicsItem::ItemIsSelectable, false);
        arrow->setCursor(Qt::IBeamCursor);
        arrow->setToolTip(QObject::tr("Gene: ") + gene.gene + "\n"
                          + QObject::tr("Synonym: %1\n").arg(gene.synonym)
                          + QObject::tr("Position: %1 - %2").arg(gene.start).arg(gene.end));

        QGraphicsTextItem *name = scene->addText(displayName(gene), QFont("Sans Serif", 10, QFont::Bold));
        // Constant size on screen, centred on the gene's arrow.
        name->setFlag(QGraphicsItem::ItemIgnoresTransformations, true);
        name->setPos((xs + xe) / 2, y + 265);
        const QRectF nameBox = name->boundingRect();
        name->setTransform(QTransform::fromTranslate(-nameBox.width() / 2, -nameBox.height() / 2));
        name->setFlag(QGraphicsItem::ItemIsSelectable, false);
        name->setData(GeneNameWidthKey, xe - xs);

        const PromoterEntry p = model.promoterMap.value(gene.synonym);
        const TerminatorEntry t = model.terminatorMap.value(gene.synonym);
        const bool forward = gene.strand == "+";
        const bool reverse = gene.strand == "-";
        int P = 0, Q = 0, T1 = 0, T2 = 0;
        if (forward) {
            P = nint(xs + p.start / 5);
            Q = nint(xs + p.end / 5);
            T1 = nint(xe + t.start / 5);
            T2 = nint(xe + t.start / 5 + t.totalLength / 5);
        } else if (reverse) {
            P = nint(xe - p.start / 5);
            Q = nint(xe - p.end / 5);
            T1 = nint(xs - t.start / 5);
            T2 = nint(xs - t.start / 5 + t.totalLength / 5);
        }
        const bool first = i == 0;
        const bool last = i == n - 1;
        if (p.score > 0 && ((first && forward) || (last && reverse)))
            drawPromoter(scene, gene.synonym, p, P, Q, forward);
        if (t.score > meridan::genome::results::kTerminatorCut && ((first && reverse) || (last && forward)))
            drawTerminator(scene, gene.synonym, t, T1, T2);
    }
    drawLinkProbabilities(scene, model, item, b);
    return true;
}

QRectF unitRect(QGraphicsScene *scene)
{
    QRectF rect;
    if (!scene)
        return rect;
    for (QGraphicsItem *item : scene->items()) {
        // Texts of constant screen size have no extent in scene units.
        if (!(item->flags() & QGraphicsItem::ItemIgnoresTransformations))
            rect |= item->sceneBoundingRect();
    }
    // Room for the ruler's numbers above and the names below.
    return rect.adjusted(-30, -45, 30, 25);
}

void spaceRulerLabels(QGraphicsScene *scene, double scale)
{
    if (!scene || scale <= 0)
        return;
    QList<QGraphicsItem *> labels;
    QList<QGraphicsItem *> links;
    for (QGraphicsItem *item : scene->items()) {
        if (item->data(RulerLabelKey).toBool())
            labels << item;
        if (item->data(LinkLabelKey).toBool())
            links << item;
        // A name shows only inside its arrow (names keep their size on screen).
        const QVariant arrowWidth = item->data(GeneNameWidthKey);
        if (arrowWidth.isValid())
            item->setVisible(item->boundingRect().width() <= arrowWidth.toDouble() * scale);
    }
    const auto leftToRight = [](QGraphicsItem *a, QGraphicsItem *b) { return a->pos().x() < b->pos().x(); };
    // The link probabilities keep their size on screen too: from the left,
    // each shows when it clears the last one shown.
    std::sort(links.begin(), links.end(), leftToRight);
    double lastLink = -1e300;
    for (QGraphicsItem *link : std::as_const(links)) {
        const double width = link->boundingRect().width();
        const double left = link->pos().x() * scale - width / 2;
        link->setVisible(left >= lastLink + 4);
        if (link->isVisible())
            lastLink = left + width;
    }
    std::sort(labels.begin(), labels.end(), leftToRight);
    // A number at either end is moved inwards, off its tick's centre, rather
    // than cut by the drawing's edge.
    const QRectF unit = unitRect(scene);
    const double leftEdge = unit.left() * scale + 2, rightEdge = unit.right() * scale - 2;
    double lastRight = -1e300;
    for (QGraphicsItem *label : std::as_const(labels)) {
        const QRectF box = label->boundingRect();
        const double centre = label->pos().x() * scale;
        const double left = qMax(leftEdge, qMin(centre - box.width() / 2, rightEdge - box.width()));
        label->setTransform(QTransform::fromTranslate(left - centre, -box.height()));
        const bool room = left >= lastRight + 8 && left + box.width() <= rightEdge + 1e-9;
        label->setVisible(room);
        if (room)
            lastRight = left + box.width();
    }
}

} // namespace operondetail
