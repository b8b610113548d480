#pragma once
// The set-up of a register database: where it is, creating it when missing, and filling it with
// the register's tables, seed rows and, on request, a sample register.

#include "connection.h"

#include <QString>

namespace app {
class IniFile;
}

namespace dbprep {

/// Exit codes of the set-up program.
enum ExitCode { Done = 0, Failed = 1, BadUsage = 2, Refused = 3 };

struct SetupOptions
{
    bool force = false;  // drop and recreate the register's tables when they exist
    bool demo = false;   // add a sample register
    int count = 300;     // pieces of equipment of the sample register
};

struct SetupOutcome
{
    ExitCode code = Done;
    QString message;
};

/// The connection the DBconn keys of Config.ini describe, with the password decoded. A SQLite
/// database lies beside the configuration file. Nullopt when the driver is unknown.
std::optional<db::ConnectionSettings> settingsFromConfig(const app::IniFile& config);

/// Makes sure the database exists: creates the empty SQLite file, or the PostgreSQL or SQL
/// Server database through the server's maintenance database. Throws db::DbError.
void createDatabaseIfMissing(const db::ConnectionSettings& settings);

/// Creates the database when needed, then the tables with their seed rows, then the sample
/// register when asked. A database that already holds register tables is left untouched
/// unless `force` is set. Never throws; the outcome carries the text to show.
SetupOutcome prepareDatabase(const db::ConnectionSettings& settings, const SetupOptions& options);

} // namespace dbprep
