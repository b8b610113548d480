#pragma once
#include <QString>

namespace bench {

/// A SQLite register of `count` pieces of equipment (with accessories, documents and event
/// records in proportion) in `folder`, generated once and kept for later runs.
QString registerDatabase(const QString& folder, int count);

} // namespace bench
