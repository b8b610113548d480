#pragma once
// A fresh, empty database for one test on the backend the run asks for: a new SQLite file, or
// the PostgreSQL test database that scripts/test starts, emptied.
#include "connection.h"

#include <QTemporaryDir>
#include <memory>

namespace eqtest {

bool usingPostgres();

/// Connection settings of an empty test database (the SQLite file lies in `dir`).
db::ConnectionSettings freshDatabase(const QTemporaryDir& dir);

/// Opens a fresh empty database; fails the calling test when the backend is unreachable.
std::unique_ptr<db::Connection> openFreshDatabase(const QTemporaryDir& dir);

/// Stops and starts the PostgreSQL test server (the commands scripts/test exports).
bool stopPostgres();
bool startPostgres();

} // namespace eqtest
