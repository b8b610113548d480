#pragma once
// The per-backend statement runners behind Connection. Not part of the library's interface.
#include "connection.h"

#include <QSqlDatabase>

namespace db {

class Backend_
{
public:
    virtual ~Backend_() = default;
    virtual void fetch(const QString& sql, const QVariantList& params, RowStore& rows) = 0;
    virtual qint64 exec(const QString& sql, const QVariantList& params) = 0;
    /// Called before each statement; a lost connection is re-established here.
    virtual void ensureAlive() {}
    virtual sqlite3* sqliteHandle() const { return nullptr; }
    virtual pg_conn* postgresHandle() const { return nullptr; }
    virtual bool isAlive() const = 0;
    /// True when the last failure lost the connection (any open transaction is gone with it).
    virtual bool lostConnection() const { return false; }
};

std::unique_ptr<Backend_> makeSqliteBackend(QSqlDatabase db);
std::unique_ptr<Backend_> makePostgresBackend(QSqlDatabase db);
std::unique_ptr<Backend_> makeQtBackend(QSqlDatabase db);

/// Text of a date or time value as the statements expect it: "yyyy-MM-dd", with
/// " hh:mm:ss" when the time is not midnight.
QByteArray dateTimeText(const QVariant& value);

/// Shortens "yyyy-MM-dd 00:00:00[.000]" to "yyyy-MM-dd" and turns an ISO "T" into a blank.
QByteArrayView normalizedDateText(QByteArrayView text, QByteArray& buffer);

} // namespace db
