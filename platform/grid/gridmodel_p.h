#pragma once
// The table model behind DBGridEh: one model column per grid column, cells read from the
// dataset on demand.

#include "dataset.h"
#include "dbgrideh.h"
#include "gridcolumn.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <optional>

namespace grid {

/// Header data role that carries a column's SortMarker (as int).
constexpr int SortMarkerRole = Qt::UserRole + 1;

/// Columns are kept in logical order (the header maps them to screen order).
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const { return m_ds; }

    // The dataset is being reloaded or re-sorted; nothing may read it in between.
    void datasetAboutToReset();
    void datasetResetDone();
    void datasetRowChanged(int position);

    const QList<GridColumn>& gridColumns() const { return m_columns; }
    void resetColumns(const QList<GridColumn>& columns);
    void appendColumn(const GridColumn& column);
    void updateColumn(int logical, const GridColumn& column);
    void setStoredWidth(int logical, int width) { m_columns[logical].width = width; }
    void setVisibleFlag(int logical, bool visible) { m_columns[logical].visible = visible; }

    SortMarker marker(int logical) const { return m_markers.value(logical, SortMarker::None); }
    void setMarker(int logical, SortMarker marker);
    void clearMarkers();

    /// The dataset's column of a grid column; -1 when the dataset lacks the field.
    int fieldColumn(int logical) const { return m_fieldColumns.value(logical, -1); }
    bool readable() const;
    QString cellText(int position, int logical) const;
    /// Sum of a column over all rows; nullopt when the field is missing.
    std::optional<double> columnSum(int logical) const;

    void setDisplayTextHook(DBGridEh::DisplayTextHook hook) { m_textHook = std::move(hook); }
    void setCellStyleHook(DBGridEh::CellStyleHook hook) { m_styleHook = std::move(hook); }
    void setDefaultStyle(const CellStyle& style) { m_defaultStyle = style; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void mapFields();
    QVariant styleData(int position, int logical, int role) const;

    QPointer<db::Dataset> m_ds;
    bool m_resetting = false;
    QList<GridColumn> m_columns;
    QList<SortMarker> m_markers;
    QList<int> m_fieldColumns;
    DBGridEh::DisplayTextHook m_textHook;
    DBGridEh::CellStyleHook m_styleHook;
    CellStyle m_defaultStyle;
};

} // namespace grid
