#include "testdb.h"
#include "dberror.h"

#include <QProcess>
#include <QTest>
#include <sqlite3.h>

namespace eqtest {

bool usingPostgres()
{
    return qgetenv("EQ_TEST_BACKEND") == "postgres";
}

db::ConnectionSettings freshDatabase(const QTemporaryDir& dir)
{
    db::ConnectionSettings s;
    if (!usingPostgres()) {
        s.backend = db::Backend::Sqlite;
        static int serial = 0;
        s.database = dir.filePath(QStringLiteral("test%1.db").arg(++serial));
        // An empty SQLite file is created directly: the program itself never creates one.
        sqlite3* h = nullptr;
        sqlite3_open(s.database.toUtf8().constData(), &h);
        sqlite3_exec(h, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
        sqlite3_close(h);
        return s;
    }
    s.backend = db::Backend::Postgres;
    s.server = QString::fromLocal8Bit(qgetenv("EQ_TEST_PG_SERVER"));
    s.database = QString::fromLocal8Bit(qgetenv("EQ_TEST_PG"));
    s.user = QString::fromLocal8Bit(qgetenv("EQ_TEST_PG_USER"));
    s.password = QString::fromLocal8Bit(qgetenv("EQ_TEST_PG_PASSWORD"));
    db::Connection c;
    c.open(s);
    c.exec(QStringLiteral("drop schema if exists public cascade; create schema public; "
                          "create extension if not exists citext schema public"));
    return s;
}

std::unique_ptr<db::Connection> openFreshDatabase(const QTemporaryDir& dir)
{
    if (usingPostgres() && qEnvironmentVariableIsEmpty("EQ_TEST_PG"))
        qFatal("EQ_TEST_BACKEND=postgres needs the server of scripts/test (EQ_TEST_PG unset)");
    auto c = std::make_unique<db::Connection>();
    try {
        c->open(freshDatabase(dir));
    } catch (const db::DbError& e) {
        qFatal("cannot open the test database: %s", qPrintable(e.message()));
    }
    return c;
}

static bool runCommand(const char* variable)
{
    const QString command = QString::fromLocal8Bit(qgetenv(variable));
    if (command.isEmpty())
        return false;
    return QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command}) == 0;
}

bool stopPostgres()
{
    return runCommand("EQ_TEST_PG_STOP");
}

bool startPostgres()
{
    return runCommand("EQ_TEST_PG_START");
}

} // namespace eqtest
