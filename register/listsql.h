#pragma once
// The statements of the equipment browser, built from the filter values alone so that their exact
// texts can be checked without a window.

#include <QString>
#include <QStringList>

namespace reg {

/// What the search bar, the two trees, the include-disabled box and the list page ask for.
struct EquipmentFilter
{
    /// The item chosen in the search field list (0 "设备编号" ... 7 "备注信息"); -1 none.
    int searchField = -1;
    QString searchText;
    /// The path of the selected category / department node; empty for the root or no selection.
    QString categoryPath;
    QString departmentPath;
    bool includeDisabled = false;
    /// The list page: the item of the list type (0 status, 1 user, 2 operator; -1 none) and the
    /// value of the selected row; listAll when the first row ("全部") or no row is selected.
    int listType = -1;
    bool listAll = true;
    QString listValue;
};

/// The items of the search field list, in the order whose index EquipmentFilter::searchField uses.
const QStringList& searchFieldCaptions();

/// The list statement without its ordering clause; every piece ends with a blank.
QString buildListSql(const EquipmentFilter& filter);

/// The ordering the list is always opened with, appended directly to the list statement.
inline QString listOrderClause()
{
    return QStringLiteral(" order by F_code");
}

/// The statement of the list page for its kind (1 status, 2 users, 3 operators); empty otherwise.
QString listPageSql(int kind);

/// The value-column title of the list page for its kind.
QString listPageTitle(int kind);

/// The count label's text for a number of listed rows.
QString equipmentCountText(int count);

} // namespace reg
