#pragma once
#include "tabledef.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace db {

enum class Backend { Sqlite, Postgres, SqlServer };

/// What differs between the database backends: the rewriting of the few constructs of the
/// statements' own dialect (SQL Server's) that the other backends lack, and the DDL of a table.
/// Backup, restore and compaction are per-backend operations and live with the connection.
class Dialect
{
public:
    virtual ~Dialect() = default;

    static std::unique_ptr<Dialect> create(Backend backend);
    /// "sqlite", "postgres" or "sqlserver" (the values of the driver key); unknown = nullopt.
    static std::optional<Backend> backendFromName(const QString& name);

    virtual Backend backend() const = 0;
    virtual QString name() const = 0;

    /// Rewrites isNull(, len(, getdate() and "select top N" outside literals and names; on
    /// PostgreSQL a like pattern also gets an empty escape so backslashes match themselves.
    QString translate(const QString& sql) const;

    QString columnSql(const ColumnDef& column) const;
    QStringList createTableSql(const TableDef& table) const;
    virtual QString dropTableSql(const QString& table) const;

protected:
    virtual QString isNullName() const = 0;
    virtual QString lengthName() const = 0;
    virtual QString nowSql() const = 0;
    virtual bool rewritesTop() const { return true; }
    virtual bool addsLikeEscape() const { return false; }
    virtual QString typeSql(const ColumnDef& column) const = 0;
    virtual QString widthCheckSql(const ColumnDef& column) const;
};

} // namespace db
