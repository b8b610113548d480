#pragma once
// The data grid of the list windows: shows a Dataset's rows through columns the window (or a
// saved layout) defines, with sort markers in the titles, a footer row and several selected rows.

#include "gridcolumn.h"

#include <QColor>
#include <QList>
#include <QWidget>
#include <functional>

class QTableView;

namespace db {
class Dataset;
class Field;
}

namespace grid {

/// Colours of one cell, as the style hook may change them before it is drawn.
struct CellStyle
{
    QColor text;
    QColor background;
};

/// A grid over a Dataset. It paints only the visible rows and reads them from the dataset
/// (never a copy). The grid's current row is the dataset's current row, in both directions.
class DBGridEh : public QWidget
{
    Q_OBJECT
public:
    explicit DBGridEh(QWidget* parent = nullptr);
    ~DBGridEh() override;

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const;

    /// Columns in their order on the screen (the user may drag titles to reorder them).
    int columnCount() const;
    GridColumn column(int index) const;
    QList<GridColumn> columns() const;
    void setColumns(const QList<GridColumn>& columns);
    void setColumn(int index, const GridColumn& column);
    void appendColumn(const GridColumn& column);
    void clearColumns();
    void setColumnVisible(int index, bool visible);
    /// The width on the screen (the user may resize columns with the mouse).
    int columnWidth(int index) const;

    SortMarker sortMarker(int index) const;
    void setSortMarker(int index, SortMarker marker);
    void clearSortMarkers();

    /// 0 hides the footer; 1 shows one footer row.
    void setFooterRowCount(int count);
    int footerRowCount() const;
    /// The footer text of a column as shown: its static text, or the sum of the column over the
    /// dataset's rows formatted with the column's display format; empty for FooterKind::None.
    QString footerText(int index) const;

    /// Several rows may be selected at once (row selection).
    void setMultiSelect(bool on);
    /// Positions (in the dataset's present order) of the selected rows, ascending; the current
    /// row alone when nothing else is selected and the dataset is not empty.
    QList<int> selectedPositions() const;

    /// The text a cell shows; the default is formatValue of the field with the column's format.
    using DisplayTextHook =
        std::function<QString(int position, const GridColumn& column, const db::Field& field,
                              const QString& defaultText)>;
    void setDisplayTextHook(DisplayTextHook hook);
    /// Called for each cell before it is drawn; may change its colours.
    using CellStyleHook = std::function<void(int position, const GridColumn& column, CellStyle&)>;
    void setCellStyleHook(CellStyleHook hook);

    /// The text cell (position, column index) shows, through the hook (tests, printing, export).
    QString cellText(int position, int index) const;

    QTableView* view() const;

Q_SIGNALS:
    /// A click on the title of the column at this index (screen order).
    void titleClicked(int index);
    /// A double click on a data row (after it became current).
    void rowDoubleClicked(int position);

private:
    class Private;
    Private* d;
};

} // namespace grid
