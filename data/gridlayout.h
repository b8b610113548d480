#pragma once
// Grid layouts stored in cfg_Grid, the displayed-fields chooser, the sort dialog and the sort by
// a click on a column title.

#include "gridcolumn.h"

#include <QList>
#include <QString>

namespace grid {
class DBGridEh;
}

namespace data {

/// Replaces the grid's columns by the layout saved under the grid name; a name without rows
/// leaves the designed columns. Runs on dmData->QryTemp.
void LoadGridLayout(grid::DBGridEh* grid, const QString& gridName);

/// Writes the grid's columns, in their order on the screen, back to their cfg_Grid rows.
void SaveGridLayout(grid::DBGridEh* grid, const QString& gridName);

/// Lets the user tick the columns to show (TFrmDispFieldXZ).
void ChooseVisibleColumns(grid::DBGridEh* grid);

/// Lets the user build a multi-column sort (TfrmRowArrangeGl): "f_code ASC,f_name DESC", or
/// empty when the dialog was cancelled or no row has a direction.
QString ChooseSortOrder(grid::DBGridEh* grid);

/// Applies a sort text to the grid's dataset while it is open; empty text removes the sort.
/// Fields the dataset lacks (a saved column over a field the query does not select) are left out.
void ApplySortOrder(grid::DBGridEh* grid, const QString& sortText);

/// A: the main list and the maintenance and transfer registers; B: the statistics lists.
enum class TitleSortKind { A, B };

/// The title-click sort: toggles the column's marker and sorts by that column alone. Long-text
/// columns ("mem" in the field name) are not sorted; in kind B their click does nothing at all.
void TitleClickSort(grid::DBGridEh* grid, int index, TitleSortKind kind);

/// The columns designed into the windows for "setmain", "detail1" and "detail2" (empty for any
/// other name); the seed rows of cfg_Grid are written from the same table.
QList<grid::GridColumn> designedGridColumns(const QString& gridName);

} // namespace data
