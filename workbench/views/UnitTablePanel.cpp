#include "UnitTablePanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

UnitTablePanel::UnitTablePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UnitTablePanel"));
    operons_ = new UnitTableModel(this);
    units_ = new UnitTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(operons_);
    proxy_->setFilterRole(UnitTableModel::SearchRole);
    proxy_->setSortRole(UnitTableModel::SortRole);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    kind_ = new QComboBox(this);
    kind_->addItems({tr("Operons"), tr("Transcription units")});
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("tableFilter"));
    filter_->setPlaceholderText(tr("Filter by name, locus tag or product"));
    filter_->setClearButtonEnabled(true);
    count_ = new QLabel(this);
    auto *copy = new QPushButton(tr("&Copy"), this);
    copy->setToolTip(tr("Copy the selected rows as tab-separated text (Ctrl+C)"));
    auto *save = new QPushButton(tr("&Export selected\u2026"), this);
    save->setToolTip(tr("Save the selected rows (all shown rows when none is selected) as a TSV file"));

    view_ = new QTableView(this);
    view_->setModel(proxy_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(UnitTableModel::Start, Qt::AscendingOrder);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setWordWrap(false);

    connect(kind_, &QComboBox::currentIndexChanged, this,
            [this](int index) { showKind(index == 0 ? UnitTableModel::Operons : UnitTableModel::Units); });
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString &text) {
        proxy_->setFilterFixedString(text.trimmed());
        updateCount();
    });
    connect(copy, &QPushButton::clicked, this, &UnitTablePanel::copySelection);
    connect(save, &QPushButton::clicked, this, [this] { emit exportRequested(selectedTsv()); });
    auto *copyKey = new QShortcut(QKeySequence::Copy, view_);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &UnitTablePanel::copySelection);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &UnitTablePanel::currentChanged);

    auto *controls = new QHBoxLayout;
    controls->setContentsMargins(4, 2, 4, 2);
    controls->addWidget(kind_);
    controls->addWidget(filter_, 1);
    controls->addWidget(count_);
    controls->addWidget(copy);
    controls->addWidget(save);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
}

UnitTableModel *UnitTablePanel::model() const
{
    return static_cast<UnitTableModel *>(proxy_->sourceModel());
}

void UnitTablePanel::setProject(const ProjectModel &model, const browser::Features &features,
                                const QHash<QString, double> &links)
{
    operons_->setProject(model, features, UnitTableModel::Operons, links);
    units_->setProject(model, features, UnitTableModel::Units, links);
    view_->setColumnHidden(UnitTableModel::LinkProbability, links.isEmpty());
    view_->resizeColumnsToContents();
    updateCount();
}

void UnitTablePanel::showKind(UnitTableModel::Kind kind)
{
    if (model()->kind() == kind && kind_->currentIndex() == int(kind))
        return;
    kind_->setCurrentIndex(int(kind));
    proxy_->setSourceModel(kind == UnitTableModel::Operons ? operons_ : units_);
    view_->setColumnHidden(UnitTableModel::LinkProbability, !model()->hasLinks());
    view_->resizeColumnsToContents();
    updateCount();
}

void UnitTablePanel::updateCount()
{
    count_->setText(tr("%1 of %2").arg(proxy_->rowCount()).arg(model()->rowCount()));
}

void UnitTablePanel::currentChanged()
{
    if (selecting_)
        return;
    const QModelIndex current = view_->currentIndex();
    if (current.isValid())
        emit geneActivated(current.data(UnitTableModel::GeneRole).toInt());
}

void UnitTablePanel::selectGene(int gene)
{
    const int row = model()->rowOfGene(gene);
    if (row < 0)
        return;
    const QModelIndex index = proxy_->mapFromSource(model()->index(row, 0));
    if (!index.isValid() || index.row() == view_->currentIndex().row())
        return;
    selecting_ = true;
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(index);
    selecting_ = false;
}

QString UnitTablePanel::selectedTsv() const
{
    QVector<int> shown;
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    for (const QModelIndex &index : selected)
        shown << index.row();
    // Nothing selected: every row shown.
    if (shown.isEmpty())
        for (int r = 0; r < proxy_->rowCount(); ++r)
            shown << r;
    std::sort(shown.begin(), shown.end());
    QVector<int> rows;
    for (int r : shown)
        rows << proxy_->mapToSource(proxy_->index(r, 0)).row();
    return model()->tsv(rows);
}

void UnitTablePanel::copySelection()
{
    QApplication::clipboard()->setText(selectedTsv());
}
