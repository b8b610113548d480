#include "gridmodel_p.h"

#include "dataset.h"

namespace grid {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setDataset(db::Dataset* dataset)
{
    beginResetModel();
    m_ds = dataset;
    m_resetting = false;
    mapFields();
    endResetModel();
}

void GridModel::datasetAboutToReset()
{
    if (m_resetting)
        return;
    m_resetting = true;
    beginResetModel();
}

void GridModel::datasetResetDone()
{
    if (!m_resetting)
        return;
    m_resetting = false;
    mapFields();
    endResetModel();
}

void GridModel::datasetRowChanged(int position)
{
    if (m_columns.isEmpty() || position < 0 || position >= rowCount())
        return;
    Q_EMIT dataChanged(index(position, 0), index(position, int(m_columns.size()) - 1));
}

void GridModel::resetColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    m_markers = QList<SortMarker>(columns.size(), SortMarker::None);
    mapFields();
    endResetModel();
}

void GridModel::appendColumn(const GridColumn& column)
{
    const int at = int(m_columns.size());
    beginInsertColumns({}, at, at);
    m_columns.append(column);
    m_markers.append(SortMarker::None);
    mapFields();
    endInsertColumns();
}

void GridModel::updateColumn(int logical, const GridColumn& column)
{
    m_columns[logical] = column;
    mapFields();
    Q_EMIT headerDataChanged(Qt::Horizontal, logical, logical);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, logical), index(rowCount() - 1, logical));
}

void GridModel::setMarker(int logical, SortMarker marker)
{
    m_markers[logical] = marker;
    Q_EMIT headerDataChanged(Qt::Horizontal, logical, logical);
}

void GridModel::clearMarkers()
{
    m_markers.fill(SortMarker::None);
    if (!m_columns.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}

void GridModel::mapFields()
{
    m_fieldColumns.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        m_fieldColumns[i] = m_ds && m_ds->isOpen() ? m_ds->fieldIndex(m_columns[i].fieldName) : -1;
}

bool GridModel::readable() const
{
    return m_ds && !m_resetting && m_ds->isOpen();
}

namespace {

// The value handed to the display format: numbers as numbers, dates as dates when a format
// wants them, everything else as the text the dataset holds.
QVariant formatInput(const db::Field& field, const QString& displayFormat)
{
    if (field.isNull())
        return {};
    switch (field.kind()) {
    case db::FieldKind::Integer: return field.asInteger();
    case db::FieldKind::Float: return field.asFloat();
    case db::FieldKind::DateTime: {
        if (displayFormat.isEmpty())
            return field.asString();
        const QDateTime dt = field.asDateTime();
        return dt.isValid() ? QVariant(dt) : QVariant(field.asString());
    }
    case db::FieldKind::Blob: return QString();
    case db::FieldKind::Text: break;
    }
    return field.asString();
}

} // namespace

QString GridModel::cellText(int position, int logical) const
{
    if (!readable() || logical < 0 || logical >= m_columns.size() || position < 0
        || position >= m_ds->recordCount())
        return QString();
    const int column = m_fieldColumns[logical];
    if (column < 0)
        return QString();
    const GridColumn& gc = m_columns[logical];
    const db::Field field = m_ds->cell(position, column);
    const QString text = formatValue(formatInput(field, gc.displayFormat), gc.displayFormat);
    return m_textHook ? m_textHook(position, gc, field, text) : text;
}

std::optional<double> GridModel::columnSum(int logical) const
{
    if (!readable() || logical < 0 || logical >= m_columns.size() || m_fieldColumns[logical] < 0)
        return std::nullopt;
    const int column = m_fieldColumns[logical];
    double sum = 0;
    const int count = m_ds->recordCount();
    for (int p = 0; p < count; ++p)
        sum += m_ds->cell(p, column).asFloat();
    return sum;
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !readable() ? 0 : m_ds->recordCount();
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::styleData(int position, int logical, int role) const
{
    if (!m_styleHook)
        return {};
    CellStyle style = m_defaultStyle;
    m_styleHook(position, m_columns[logical], style);
    if (role == Qt::ForegroundRole)
        return style.text != m_defaultStyle.text ? QVariant(style.text) : QVariant();
    return style.background != m_defaultStyle.background ? QVariant(style.background)
                                                         : QVariant();
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)
        || !readable())
        return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int((m_columns[index.column()].alignment & Qt::AlignHorizontal_Mask)
                   | Qt::AlignVCenter);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: return styleData(index.row(), index.column(), role);
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= m_columns.size())
        return {};
    switch (role) {
    case Qt::DisplayRole: return m_columns[section].caption;
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case SortMarkerRole: return int(m_markers[section]);
    default: return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace grid
