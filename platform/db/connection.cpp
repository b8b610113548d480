#include "connection.h"
#include "backend_p.h"
#include "dberror.h"
#include "sqltext.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>

namespace db {

QByteArray dateTimeText(const QVariant& value)
{
    QDateTime dt;
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    dt = value.toDateTime();
    if (dt.time() == QTime(0, 0))
        return dt.date().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8();
}

QByteArrayView normalizedDateText(QByteArrayView text, QByteArray& buffer)
{
    if (text.size() <= 10)
        return text;
    if (text[10] == 'T') {
        buffer = text.toByteArray();
        buffer[10] = ' ';
        text = buffer;
    }
    const QByteArrayView time = text.sliced(10);
    static constexpr QByteArrayView midnight(" 00:00:00");
    if (time.startsWith(midnight)) {
        const QByteArrayView rest = time.sliced(midnight.size());
        bool onlyZeros = rest.isEmpty() || rest[0] == '.';
        for (qsizetype i = 1; onlyZeros && i < rest.size(); ++i)
            onlyZeros = rest[i] == '0';
        if (onlyZeros)
            return text.first(10);
    }
    return text;
}

Connection::Connection(QObject* parent)
    : QObject(parent),
      m_dialect(Dialect::create(Backend::Sqlite)),
      m_qtName(QStringLiteral("eq-connection-%1").arg(quintptr(this)))
{
}

Connection::~Connection()
{
    close();
}

void Connection::open(const ConnectionSettings& settings)
{
    close();
    m_settings = settings;
    m_dialect = Dialect::create(settings.backend);

    const char* driver = settings.backend == Backend::Sqlite     ? "QSQLITE"
                         : settings.backend == Backend::Postgres ? "QPSQL"
                                                                 : "QODBC";
    QSqlDatabase qdb = QSqlDatabase::addDatabase(QString::fromLatin1(driver), m_qtName);
    if (!qdb.isValid())
        throw DbError(QStringLiteral("the database driver %1 is not installed")
                          .arg(QString::fromLatin1(driver)));

    switch (settings.backend) {
    case Backend::Sqlite:
        // Opening a missing file would create an empty database; a missing file is a failure.
        if (settings.database.trimmed().isEmpty() || !QFileInfo(settings.database).isFile())
            throw DbError(QStringLiteral("database file not found: ") + settings.database);
        qdb.setDatabaseName(settings.database);
        qdb.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        break;
    case Backend::Postgres: {
        const QString server = settings.server.trimmed();
        const qsizetype colon = server.lastIndexOf(u':');
        QString host = colon > 0 ? server.left(colon) : server;
        if (host.isEmpty() || host.compare(u"(local)", Qt::CaseInsensitive) == 0)
            host = QStringLiteral("localhost");
        qdb.setHostName(host);
        if (colon > 0)
            qdb.setPort(server.mid(colon + 1).toInt());
        qdb.setDatabaseName(settings.database);
        qdb.setUserName(settings.user);
        qdb.setPassword(settings.password);
        qdb.setConnectOptions(QStringLiteral("connect_timeout=5"));
        break;
    }
    case Backend::SqlServer: {
        // Braces keep a ';' or '}' in a value from ending the keyword early.
        auto braced = [](QString v) { return u'{' + v.replace(u'}', QStringLiteral("}}")) + u'}'; };
        QString server = settings.server.trimmed();
        QString port;
        if (const qsizetype colon = server.lastIndexOf(u':'); colon > 0) {
            port = server.mid(colon + 1);
            server = server.left(colon);
        }
        QString cs = QStringLiteral("DRIVER={FreeTDS};SERVER=") + braced(server)
                     + QStringLiteral(";DATABASE=") + braced(settings.database)
                     + QStringLiteral(";UID=") + braced(settings.user) + QStringLiteral(";PWD=")
                     + braced(settings.password)
                     + QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8");
        if (!port.isEmpty())
            cs += QStringLiteral(";PORT=") + port;
        qdb.setDatabaseName(cs);
        break;
    }
    }

    if (!qdb.open()) {
        const QString error = qdb.lastError().text();
        qdb = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_qtName);
        throw DbError(error.isEmpty() ? QStringLiteral("cannot open the database") : error);
    }
    try {
        switch (settings.backend) {
        case Backend::Sqlite: m_impl = makeSqliteBackend(qdb); break;
        case Backend::Postgres: m_impl = makePostgresBackend(qdb); break;
        case Backend::SqlServer: m_impl = makeQtBackend(qdb); break;
        }
        if (settings.backend == Backend::Sqlite) {
            // An existing file that is not a database fails here rather than at the first list.
            RowStore probe;
            m_impl->fetch(QStringLiteral("select count(*) from sqlite_master"), {}, probe);
        }
    } catch (...) {
        close();
        throw;
    }
}

void Connection::close()
{
    m_impl.reset();
    m_inTransaction = false;
    if (QSqlDatabase::contains(m_qtName)) {
        {
            QSqlDatabase qdb = QSqlDatabase::database(m_qtName, false);
            qdb.close();
        }
        QSqlDatabase::removeDatabase(m_qtName);
    }
}

bool Connection::isOpen() const
{
    return m_impl != nullptr;
}

QString Connection::prepare(const QString& sql, const Params& params, QVariantList& values) const
{
    if (!m_impl)
        throw DbError(QStringLiteral("the database is not connected"));
    const QString translated = m_dialect->translate(sql);
    const auto style = m_settings.backend == Backend::Postgres
                           ? sqltext::PlaceholderStyle::DollarNumber
                           : sqltext::PlaceholderStyle::QuestionMark;
    const sqltext::ParameterScan scan = sqltext::scanParameters(translated, style);
    if (scan.names.isEmpty())
        return translated;
    for (const QString& name : scan.names) {
        if (!params.contains(name))
            throw DbError(QStringLiteral("no value for parameter :") + name);
        values.append(params.value(name));
    }
    return sqltext::applyEdits(translated, scan.edits);
}

qint64 Connection::exec(const QString& sql, const Params& params)
{
    QVariantList values;
    const QString text = prepare(sql, params, values);
    m_impl->ensureAlive();
    try {
        return m_impl->exec(text, values);
    } catch (const DbError&) {
        if (m_impl->lostConnection())
            m_inTransaction = false;
        throw;
    }
}

void Connection::fetch(const QString& sql, const Params& params, RowStore& rows)
{
    QVariantList values;
    const QString text = prepare(sql, params, values);
    m_impl->ensureAlive();
    try {
        m_impl->fetch(text, values, rows);
    } catch (const DbError&) {
        if (m_impl->lostConnection())
            m_inTransaction = false;
        throw;
    }
}

void Connection::begin()
{
    if (m_inTransaction)
        throw DbError(QStringLiteral("a transaction is already open"));
    if (m_settings.backend == Backend::SqlServer) {
        if (!m_impl)
            throw DbError(QStringLiteral("the database is not connected"));
        QSqlDatabase qdb = QSqlDatabase::database(m_qtName, false);
        if (!qdb.transaction())
            throw DbError(qdb.lastError().text());
    } else {
        // SQLite takes the write lock at once, so two clients never deadlock on an upgrade.
        exec(m_settings.backend == Backend::Sqlite ? QStringLiteral("begin immediate")
                                                   : QStringLiteral("begin"));
    }
    m_inTransaction = true;
}

void Connection::commit()
{
    if (!m_inTransaction)
        throw DbError(QStringLiteral("no transaction is open"));
    m_inTransaction = false;
    if (m_settings.backend == Backend::SqlServer) {
        QSqlDatabase qdb = QSqlDatabase::database(m_qtName, false);
        if (!qdb.commit())
            throw DbError(qdb.lastError().text());
        return;
    }
    exec(QStringLiteral("commit"));
}

void Connection::rollback()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    if (m_settings.backend == Backend::SqlServer) {
        QSqlDatabase::database(m_qtName, false).rollback();
        return;
    }
    try {
        exec(QStringLiteral("rollback"));
    } catch (const DbError&) {
        // A rollback that fails leaves nothing to undo: the server dropped the transaction.
    }
}

sqlite3* Connection::sqliteHandle() const
{
    return m_impl ? m_impl->sqliteHandle() : nullptr;
}

pg_conn* Connection::postgresHandle() const
{
    return m_impl ? m_impl->postgresHandle() : nullptr;
}

} // namespace db
