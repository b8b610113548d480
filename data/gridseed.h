#pragma once
// The cfg_Grid rows a new register starts with, and the alignment codes those rows store.

#include <Qt>

namespace db {
class Connection;
}

namespace data {

/// Inserts one cfg_Grid row per designed column of "setmain", "detail1" and "detail2".
void seedGridLayouts(db::Connection& connection);

/// The F_Alignment code of a column's alignment: 0 left, 1 centre, 2 right.
int alignmentCode(Qt::Alignment alignment);

} // namespace data
