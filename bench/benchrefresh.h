#pragma once
#include <QString>

namespace bench {

/// The main window's RefreshEquipmentList end to end on the register at `path` against the floor
/// of its statement, and with `keystrokes` the time from a keystroke in the search box to the
/// repainted grid. False when the figures could not be taken.
bool benchRefresh(const QString& path, const QString& label, bool keystrokes);

} // namespace bench
