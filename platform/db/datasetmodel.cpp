#include "datasetmodel.h"
#include "dataset.h"

namespace db {

DatasetModel::DatasetModel(Dataset* dataset, QObject* parent)
    : QAbstractTableModel(parent), m_ds(dataset)
{
    connect(dataset, &Dataset::aboutToReset, this, &DatasetModel::beginResetModel);
    connect(dataset, &Dataset::resetDone, this, &DatasetModel::endResetModel);
    connect(dataset, &Dataset::rowChanged, this, [this](int position) {
        Q_EMIT dataChanged(index(position, 0), index(position, columnCount() - 1));
    });
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_ds ? 0 : m_ds->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_ds ? 0 : m_ds->fieldCount();
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!m_ds || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Field f = m_ds->cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole: return f.asString();
    case Qt::EditRole: return f.asVariant();
    default: return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_ds)
        return {};
    if (orientation == Qt::Horizontal)
        return m_ds->fieldName(section);
    return section + 1;
}

} // namespace db
