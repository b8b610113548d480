#pragma once
#include "dialect.h"
#include "rowstore.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct pg_conn;

namespace db {

class Backend_;

/// Where to connect. For SQLite `database` is the path of the database file.
struct ConnectionSettings
{
    Backend backend = Backend::Sqlite;
    QString server;   // host[:port] (PostgreSQL), ODBC server (SQL Server); unused for SQLite
    QString database;
    QString user;
    QString password;
};

/// Named parameter values, looked up without regard to case.
class Params
{
public:
    void set(const QString& name, const QVariant& value) { m_values.insert(name.toLower(), value); }
    bool contains(const QString& name) const { return m_values.contains(name.toLower()); }
    QVariant value(const QString& name) const { return m_values.value(name.toLower()); }
    void clear() { m_values.clear(); }
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QHash<QString, QVariant> m_values;
};

/// The one database connection of the program. Statements are written in the program's own
/// dialect and translated for the backend; ":name" parameters are bound by name. Failures
/// throw DbError. A PostgreSQL connection that was lost is re-established before the next
/// statement, so the program works again once the server is back.
class Connection : public QObject
{
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    void open(const ConnectionSettings& settings);
    void close();
    bool isOpen() const;
    const ConnectionSettings& settings() const { return m_settings; }
    const Dialect& dialect() const { return *m_dialect; }
    Backend backend() const { return m_settings.backend; }

    /// Runs statements that return no rows; the number of rows they changed.
    qint64 exec(const QString& sql, const Params& params = {});
    /// Runs a query and loads all its rows into `rows`.
    void fetch(const QString& sql, const Params& params, RowStore& rows);

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    /// The native handles, for the per-backend maintenance operations (backup, compaction).
    sqlite3* sqliteHandle() const;
    pg_conn* postgresHandle() const;
    QString qtConnectionName() const { return m_qtName; }

private:
    QString prepare(const QString& sql, const Params& params, QVariantList& values) const;

    ConnectionSettings m_settings;
    std::unique_ptr<Dialect> m_dialect;
    std::unique_ptr<Backend_> m_impl;
    QString m_qtName;
    bool m_inTransaction = false;
};

} // namespace db
