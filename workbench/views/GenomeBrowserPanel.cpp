#include "GenomeBrowserPanel.h"

#include "GenomeBrowser.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *button(const QString &text, const QString &tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

} // namespace

GenomeBrowserPanel::GenomeBrowserPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GenomeBrowserPanel"));
    browser_ = new GenomeBrowser(this);
    goTo_ = new QLineEdit(this);
    goTo_->setObjectName(QStringLiteral("goToField"));
    goTo_->setPlaceholderText(tr("Go to position, range, gene, locus tag or product (Ctrl+G)"));
    goTo_->setClearButtonEnabled(true);
    goTo_->setMinimumWidth(320);
    status_ = new QLabel(this);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *zoomOut = button(QStringLiteral("\u2212"), tr("Zoom out (\u2212 or wheel)"), this);
    auto *zoomIn = button(QStringLiteral("+"), tr("Zoom in (+ or wheel, about the pointer)"), this);
    auto *whole = button(tr("Whole replicon"), tr("Show the whole replicon (Home)"), this);
    auto *addTrack = button(tr("Add data track\u2026"),
                            tr("Show a bigWig, bedGraph, WIG or BED file; a forward file brings its reverse partner"),
                            this);
    addTrack->setObjectName(QStringLiteral("addTrackButton"));
    connect(addTrack, &QToolButton::clicked, this, &GenomeBrowserPanel::addTrackRequested);
    connect(zoomOut, &QToolButton::clicked, browser_, [this] { browser_->zoomBy(1 / 2.0); });
    connect(zoomIn, &QToolButton::clicked, browser_, [this] { browser_->zoomBy(2.0); });
    connect(whole, &QToolButton::clicked, browser_, &GenomeBrowser::showAll);
    connect(goTo_, &QLineEdit::returnPressed, this, &GenomeBrowserPanel::goTo);
    // Ctrl+G (Go to) from anywhere in the browser.
    auto *focusGoTo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    focusGoTo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(focusGoTo, &QShortcut::activated, goTo_, [this] {
        goTo_->setFocus();
        goTo_->selectAll();
    });
    connect(browser_, &GenomeBrowser::viewChanged, this, &GenomeBrowserPanel::showView);
    connect(browser_, &GenomeBrowser::positionHovered, this, [this](qint64 position) {
        if (position >= 1 && position <= browser_->features().genomeLength)
            status_->setText(viewText_ + tr("   pointer at %1").arg(QLocale().toString(position)));
    });

    auto *controls = new QHBoxLayout;
    controls->setContentsMargins(4, 2, 4, 2);
    controls->addWidget(new QLabel(tr("Go to:"), this));
    controls->addWidget(goTo_, 1);
    controls->addWidget(zoomOut);
    controls->addWidget(zoomIn);
    controls->addWidget(whole);
    controls->addWidget(addTrack);
    controls->addWidget(status_, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(controls);
    layout->addWidget(browser_, 1);
}

void GenomeBrowserPanel::goTo()
{
    const QString problem = browser_->goTo(goTo_->text());
    if (!problem.isEmpty())
        tell(problem, true);
    browser_->setFocus();
}

void GenomeBrowserPanel::tell(const QString &text, bool problem)
{
    status_->setText(problem ? QStringLiteral("<span style='color:#b00000'>%1</span>").arg(text.toHtmlEscaped())
                             : text.toHtmlEscaped());
}

void GenomeBrowserPanel::showView(qint64 first, qint64 last)
{
    viewText_ = tr("%1..%2 (%3 bp)")
                    .arg(QLocale().toString(first), QLocale().toString(last), QLocale().toString(last - first + 1));
    status_->setText(viewText_);
}
