// The genome browser's state and input: what is shown, selection, "go to",
// zoom and pan by wheel, drag and keys, tooltips and hit-testing.
#include "GenomeBrowser.h"

#include "DnaStretch.h"
#include "ProjectModel.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

GenomeBrowser::GenomeBrowser(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GenomeBrowser"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(400, 380);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GenomeBrowser::setProject(const ProjectModel *model)
{
    model_ = model;
    features_ = model ? browser::buildFeatures(*model) : browser::Features();
    selectedGene_ = -1;
    productSearchFrom_ = 0;
    axis_.setWidth(width() - nameColumn);
    axis_.setGenomeLength(features_.genomeLength);
    axis_.showAll();
    changed();
}

void GenomeBrowser::changed()
{
    update();
    emit viewChanged(axis_.firstVisible(), axis_.lastVisible());
}

void GenomeBrowser::showBases(qint64 first, qint64 last)
{
    axis_.showBases(first, last);
    changed();
}

void GenomeBrowser::showAll()
{
    axis_.showAll();
    changed();
}

void GenomeBrowser::zoomBy(double factor)
{
    axis_.zoomAbout(axis_.width() / 2.0, factor);
    changed();
}

void GenomeBrowser::panBy(double pixels)
{
    axis_.pan(pixels);
    changed();
}

void GenomeBrowser::selectGene(int gene)
{
    if (gene == selectedGene_)
        return;
    selectedGene_ = gene >= 0 && gene < features_.genes.size() ? gene : -1;
    update();
}

void GenomeBrowser::showGene(int gene)
{
    if (!model_ || gene < 0 || gene >= features_.genes.size())
        return;
    const DnaStretch stretch = dnaStretchAround(model_->genes, gene, 1, 60);
    qint64 first = features_.genes[gene].first;
    qint64 last = features_.genes[gene].last;
    for (int g = stretch.firstGene; g >= 0 && g < stretch.firstGene + stretch.geneCount(); ++g) {
        first = std::min(first, features_.genes[g].first);
        last = std::max(last, features_.genes[g].last);
    }
    const qint64 room = std::max<qint64>(200, (last - first) / 20);
    selectGene(gene);
    showBases(first - room, last + room);
}

QString GenomeBrowser::goTo(const QString &text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || !model_)
        return tr("Nothing to go to");
    QString digits = wanted;
    digits.remove(QLatin1Char(',')).remove(QLatin1Char(' ')).remove(QLatin1Char('_'));
    static const QRegularExpression single(QStringLiteral("^(\\d+)$"));
    static const QRegularExpression pair(QStringLiteral("^(\\d+)(?:-|\\.\\.)(\\d+)$"));
    if (const auto m = single.match(digits); m.hasMatch()) {
        const qint64 p = m.captured(1).toLongLong();
        if (p < 1 || p > features_.genomeLength)
            return tr("Position %1 lies outside the genome (1 to %2)").arg(p).arg(features_.genomeLength);
        showBases(p - 60, p + 60);
        return {};
    }
    if (const auto m = pair.match(digits); m.hasMatch()) {
        const qint64 a = m.captured(1).toLongLong();
        const qint64 b = m.captured(2).toLongLong();
        if (std::max(a, b) < 1 || std::min(a, b) > features_.genomeLength)
            return tr("%1 lies outside the genome (1 to %2)").arg(wanted).arg(features_.genomeLength);
        showBases(a, b);
        return {};
    }
    const int n = int(model_->genes.size());
    for (int g = 0; g < n; ++g) {
        const GeneEntry &gene = model_->genes[g];
        if (gene.gene.compare(wanted, Qt::CaseInsensitive) == 0
            || gene.synonym.compare(wanted, Qt::CaseInsensitive) == 0) {
            showGene(g);
            emit geneClicked(g);
            return {};
        }
    }
    // A product word: the next match after the last one, so that repeating
    // the search walks through all of them.
    for (int k = 0; k < n; ++k) {
        const int g = (productSearchFrom_ + k) % n;
        if (model_->genes[g].product.contains(wanted, Qt::CaseInsensitive)) {
            productSearchFrom_ = g + 1;
            showGene(g);
            emit geneClicked(g);
            return {};
        }
    }
    return tr("No position, gene, locus tag or product matches \u201c%1\u201d").arg(wanted);
}

const browser::Feature &GenomeBrowser::featureOf(const Hit &hit) const
{
    switch (hit.kind) {
    case browser::Kind::Gene: return features_.genes[hit.index];
    case browser::Kind::Operon: return features_.operons[hit.index];
    case browser::Kind::Unit: return features_.units[hit.index];
    case browser::Kind::Promoter: return features_.promoters[hit.index];
    case browser::Kind::Link: return features_.links[hit.index];
    case browser::Kind::Terminator: break;
    }
    return features_.terminators[hit.index];
}

QRectF GenomeBrowser::drawnRect(browser::Kind kind, int index) const
{
    for (const Hit &hit : hits_)
        if (hit.kind == kind && hit.index == index)
            return hit.rect;
    return {};
}

const browser::Feature *GenomeBrowser::hitAt(const QPointF &point) const
{
    // Later (smaller, drawn on top) hits first; a couple of pixels of slack
    // so that thin features can be pointed at.
    for (auto it = hits_.crbegin(); it != hits_.crend(); ++it)
        if (it->rect.adjusted(-2, -1, 2, 1).contains(point))
            return &featureOf(*it);
    return nullptr;
}

QString GenomeBrowser::tooltipAt(const QPointF &point) const
{
    const browser::Feature *f = hitAt(point);
    return f ? f->tooltip : dataTooltipAt(point);
}

void GenomeBrowser::resizeEvent(QResizeEvent *event)
{
    // The same stretch stays in view when the width changes.
    const qint64 first = axis_.firstVisible();
    const qint64 last = axis_.lastVisible();
    axis_.setWidth(width() - nameColumn);
    axis_.showBases(first, last);
    QWidget::resizeEvent(event);
}

void GenomeBrowser::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        event->ignore();
        return;
    }
    axis_.zoomAbout(event->position().x() - nameColumn, std::pow(1.25, steps));
    changed();
    event->accept();
}

void GenomeBrowser::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressPoint_ = event->position();
    pressStart_ = axis_.start();
    dragging_ = false;
}

void GenomeBrowser::mouseMoveEvent(QMouseEvent *event)
{
    emit positionHovered(axis_.positionAt(event->position().x() - nameColumn));
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const double dx = event->position().x() - pressPoint_.x();
    if (!dragging_ && std::abs(dx) < 4)
        return;
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
    // Pan from where the drag began, so the base under the pointer follows it.
    axis_.pan((pressStart_ - axis_.start()) * axis_.pixelsPerBase() - dx);
    changed();
}

void GenomeBrowser::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    unsetCursor();
    if (dragging_) {
        dragging_ = false;
        return;
    }
    if (const browser::Feature *f = hitAt(event->position()); f && f->gene >= 0) {
        selectGene(f->gene);
        emit geneClicked(f->gene);
    }
}

void GenomeBrowser::keyPressEvent(QKeyEvent *event)
{
    const double page = axis_.width() / 4.0;
    switch (event->key()) {
    case Qt::Key_Left: panBy(-page); break;
    case Qt::Key_Right: panBy(page); break;
    case Qt::Key_PageUp: panBy(-4 * page); break;
    case Qt::Key_PageDown: panBy(4 * page); break;
    case Qt::Key_Up:
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomBy(1.5); break;
    case Qt::Key_Down:
    case Qt::Key_Minus: zoomBy(1 / 1.5); break;
    case Qt::Key_Home: showAll(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

bool GenomeBrowser::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = tooltipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
