#pragma once
// The cfg_Grid rows a new register starts with.

namespace db {
class Connection;
}

namespace data {

/// Inserts one cfg_Grid row per designed column of "setmain", "detail1" and "detail2".
void seedGridLayouts(db::Connection& connection);

} // namespace data
