#include "dbgrideh.h"

#include "dataset.h"
#include "dberror.h"
#include "gridmodel_p.h"
#include "gridparts_p.h"

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <QVBoxLayout>

namespace grid {

class DBGridEh::Private
{
public:
    explicit Private(DBGridEh* owner) : q(owner) {}

    int logical(int visual) const { return header->logicalIndex(visual); }
    bool validIndex(int visual) const { return visual >= 0 && visual < model->columnCount(); }
    void applySection(int logical);
    void applyAllSections();
    void followDataset();
    void viewRowChanged(const QModelIndex& current);
    void datasetReset();
    void invalidateSums();
    QString footerTextOf(int logical) const;
    int selectedRowCount() const;

    DBGridEh* q;
    QTableView* view = nullptr;
    GridHeader* header = nullptr;
    FooterBar* footer = nullptr;
    GridModel* model = nullptr;
    QPointer<db::Dataset> ds;
    QList<QMetaObject::Connection> dsConnections;
    bool syncing = false;
    int footerRows = 0;
    mutable QHash<int, std::optional<double>> sums; // by logical column, filled when painted
};

void DBGridEh::Private::applySection(int logical)
{
    const GridColumn& c = model->gridColumns().at(logical);
    header->setSectionHidden(logical, !c.visible);
    if (c.visible)
        header->resizeSection(logical, c.width);
}

void DBGridEh::Private::applyAllSections()
{
    for (int i = 0; i < model->columnCount(); ++i)
        applySection(i);
}

int DBGridEh::Private::selectedRowCount() const
{
    int count = 0;
    for (const QItemSelectionRange& range : view->selectionModel()->selection())
        count += range.height();
    return count;
}

// The dataset's current row becomes the view's, without the view moving the dataset back.
void DBGridEh::Private::followDataset()
{
    if (!ds || !model->readable() || ds->isEmpty() || model->columnCount() == 0)
        return;
    const int row = ds->recNo();
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    int column = current.isValid() ? current.column() : -1;
    if (column < 0) {
        for (int v = 0; v < header->count() && column < 0; ++v) {
            if (!header->isSectionHidden(logical(v)))
                column = logical(v);
        }
        if (column < 0)
            column = logical(0);
    }
    // A selection of several rows is the user's; a single highlight follows the current row.
    const auto flags = selectedRowCount() > 1
                           ? QItemSelectionModel::NoUpdate
                           : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    const bool was = std::exchange(syncing, true);
    view->selectionModel()->setCurrentIndex(model->index(row, column), flags);
    syncing = was;
}

void DBGridEh::Private::viewRowChanged(const QModelIndex& current)
{
    if (syncing || !ds || !current.isValid() || !model->readable())
        return;
    if (current.row() == ds->recNo())
        return;
    const bool was = std::exchange(syncing, true);
    try {
        ds->moveTo(current.row());
    } catch (const db::DbError&) {
        // The row being left could not be posted: the dataset stays where it was.
    }
    syncing = was;
    if (ds->recNo() != current.row())
        followDataset();
}

void DBGridEh::Private::invalidateSums()
{
    sums.clear();
    if (footer)
        footer->update();
}

void DBGridEh::Private::datasetReset()
{
    model->datasetResetDone();
    invalidateSums();
    followDataset();
}

QString DBGridEh::Private::footerTextOf(int logical) const
{
    if (logical < 0 || logical >= model->columnCount())
        return QString();
    const GridColumn& c = model->gridColumns().at(logical);
    switch (c.footerKind) {
    case FooterKind::None: return QString();
    case FooterKind::StaticText: return c.footerValue;
    case FooterKind::Sum: break;
    }
    auto it = sums.find(logical);
    if (it == sums.end())
        it = sums.insert(logical, model->columnSum(logical));
    return it.value() ? formatValue(*it.value(), c.displayFormat) : QString();
}

DBGridEh::DBGridEh(QWidget* parent) : QWidget(parent), d(new Private(this))
{
    d->model = new GridModel(this);
    d->view = new QTableView(this);
    d->header = new GridHeader(d->view);
    d->view->setHorizontalHeader(d->header);
    d->view->setModel(d->model);
    d->view->setObjectName(QStringLiteral("view"));

    d->view->setSelectionBehavior(QAbstractItemView::SelectRows);
    d->view->setSelectionMode(QAbstractItemView::SingleSelection);
    d->view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    d->view->setWordWrap(false);
    d->view->setCornerButtonEnabled(false);

    // Rows of one fixed height: the view never measures a row, whatever the row count.
    const int rowHeight = fontMetrics().height() + 6;
    QHeaderView* rows = d->view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);
    rows->hide();

    // The selection stays visible when the grid loses the focus.
    QPalette pal = d->view->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    d->view->setPalette(pal);
    d->model->setDefaultStyle({pal.color(QPalette::Text), pal.color(QPalette::Base)});

    d->footer = new FooterBar(
        d->view, [this](int logical) { return d->footerTextOf(logical); },
        [this](int logical) {
            return d->model->gridColumns().at(logical).alignment & Qt::AlignHorizontal_Mask;
        },
        this);
    d->footer->setObjectName(QStringLiteral("footer"));
    d->footer->setRowHeight(rowHeight);
    d->footer->setFont(font());
    d->footer->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(d->view);
    layout->addWidget(d->footer);
    setFocusProxy(d->view);

    connect(d->header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        // Hiding a section reports a size of 0; the column keeps its width for when it returns.
        if (size > 0 && !d->header->isSectionHidden(logical))
            d->model->setStoredWidth(logical, size);
    });
    connect(d->header, &QHeaderView::sectionClicked, this,
            [this](int logical) { Q_EMIT titleClicked(d->header->visualIndex(logical)); });
    connect(d->view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { d->viewRowChanged(current); });
    connect(d->view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT rowDoubleClicked(index.row());
    });
}

DBGridEh::~DBGridEh()
{
    for (const auto& c : std::as_const(d->dsConnections))
        disconnect(c);
    // The children outlive d by a moment; none of their signals may reach it then.
    d->view->selectionModel()->disconnect(this);
    d->header->disconnect(this);
    d->view->disconnect(this);
    delete d;
}

void DBGridEh::setDataset(db::Dataset* dataset)
{
    for (const auto& c : std::as_const(d->dsConnections))
        disconnect(c);
    d->dsConnections.clear();
    d->ds = dataset;
    d->model->setDataset(dataset);
    d->invalidateSums();
    if (!dataset)
        return;
    d->dsConnections = {
        connect(dataset, &db::Dataset::aboutToReset, this,
                [this] { d->model->datasetAboutToReset(); }),
        connect(dataset, &db::Dataset::resetDone, this, [this] { d->datasetReset(); }),
        connect(dataset, &db::Dataset::rowChanged, this,
                [this](int position) {
                    d->model->datasetRowChanged(position);
                    d->invalidateSums();
                }),
        connect(dataset, &db::Dataset::afterScroll, this, [this] { d->followDataset(); }),
        // A re-opened query shows the statement's order, so no title marks a sort any more.
        connect(dataset, &db::Dataset::afterOpen, this, &DBGridEh::clearSortMarkers),
    };
    d->followDataset();
}

db::Dataset* DBGridEh::dataset() const
{
    return d->ds;
}

int DBGridEh::columnCount() const
{
    return d->model->columnCount();
}

GridColumn DBGridEh::column(int index) const
{
    if (!d->validIndex(index))
        return {};
    GridColumn c = d->model->gridColumns().at(d->logical(index));
    c.width = columnWidth(index);
    return c;
}

QList<GridColumn> DBGridEh::columns() const
{
    QList<GridColumn> list;
    for (int i = 0; i < columnCount(); ++i)
        list.append(column(i));
    return list;
}

void DBGridEh::setColumns(const QList<GridColumn>& columns)
{
    d->model->resetColumns(columns);
    // The header keeps the user's drag order across a model reset; new columns start afresh.
    for (int i = 0; i < d->header->count(); ++i) {
        if (d->header->visualIndex(i) != i)
            d->header->moveSection(d->header->visualIndex(i), i);
    }
    d->applyAllSections();
    d->invalidateSums();
    d->followDataset();
}

void DBGridEh::setColumn(int index, const GridColumn& column)
{
    if (!d->validIndex(index))
        return;
    const int logical = d->logical(index);
    d->model->updateColumn(logical, column);
    d->applySection(logical);
    d->invalidateSums();
}

void DBGridEh::appendColumn(const GridColumn& column)
{
    d->model->appendColumn(column);
    d->applySection(d->model->columnCount() - 1);
    d->invalidateSums();
    d->followDataset();
}

void DBGridEh::clearColumns()
{
    setColumns({});
}

void DBGridEh::setColumnVisible(int index, bool visible)
{
    if (!d->validIndex(index))
        return;
    const int logical = d->logical(index);
    d->model->setVisibleFlag(logical, visible);
    d->applySection(logical);
    d->footer->update();
}

int DBGridEh::columnWidth(int index) const
{
    if (!d->validIndex(index))
        return 0;
    const int logical = d->logical(index);
    if (d->header->isSectionHidden(logical))
        return d->model->gridColumns().at(logical).width;
    return d->header->sectionSize(logical);
}

SortMarker DBGridEh::sortMarker(int index) const
{
    return d->validIndex(index) ? d->model->marker(d->logical(index)) : SortMarker::None;
}

void DBGridEh::setSortMarker(int index, SortMarker marker)
{
    if (d->validIndex(index))
        d->model->setMarker(d->logical(index), marker);
}

void DBGridEh::clearSortMarkers()
{
    d->model->clearMarkers();
}

void DBGridEh::setFooterRowCount(int count)
{
    d->footerRows = count > 0 ? 1 : 0;
    d->footer->setVisible(d->footerRows > 0);
}

int DBGridEh::footerRowCount() const
{
    return d->footerRows;
}

QString DBGridEh::footerText(int index) const
{
    return d->validIndex(index) ? d->footerTextOf(d->logical(index)) : QString();
}

void DBGridEh::setMultiSelect(bool on)
{
    d->view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
}

QList<int> DBGridEh::selectedPositions() const
{
    QList<int> positions;
    if (!d->model->readable())
        return positions;
    for (const QItemSelectionRange& range : d->view->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            positions.append(row);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (positions.isEmpty() && !d->ds->isEmpty())
        positions.append(d->ds->recNo());
    return positions;
}

void DBGridEh::setDisplayTextHook(DisplayTextHook hook)
{
    d->model->setDisplayTextHook(std::move(hook));
    d->view->viewport()->update();
}

void DBGridEh::setCellStyleHook(CellStyleHook hook)
{
    d->model->setCellStyleHook(std::move(hook));
    d->view->viewport()->update();
}

QString DBGridEh::cellText(int position, int index) const
{
    return d->validIndex(index) ? d->model->cellText(position, d->logical(index)) : QString();
}

QTableView* DBGridEh::view() const
{
    return d->view;
}

} // namespace grid
