#include "setup.h"

#include "dbconnsettings.h"

#include "corva.h"
#include "dataset.h"
#include "dberror.h"
#include "demodata.h"
#include "inifile.h"
#include "schema.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace dbprep {

using namespace Qt::StringLiterals;

namespace {

QString displayName(const db::ConnectionSettings& s)
{
    if (s.backend == db::Backend::Sqlite)
        return QDir::toNativeSeparators(s.database);
    return s.database + u" @ "_s + (s.server.isEmpty() ? u"(Local)"_s : s.server);
}

void createSqliteFile(const QString& path)
{
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString error;
    if (rc != SQLITE_OK) {
        error = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : u"out of memory"_s;
    } else if (sqlite3_exec(handle, "pragma journal_mode=wal", nullptr, nullptr, nullptr)
               != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(handle));
    }
    sqlite3_close(handle);
    if (!error.isEmpty())
        throw db::DbError(path + u": "_s + error);
}

QString quotedPostgresName(QString name)
{
    return u'"' + name.replace(u'"', u"\"\""_s) + u'"';
}

QString quotedSqlServerName(QString name)
{
    return u'[' + name.replace(u']', u"]]"_s) + u']';
}

void createServerDatabase(const db::ConnectionSettings& settings)
{
    db::ConnectionSettings maintenance = settings;
    maintenance.database = settings.backend == db::Backend::Postgres ? u"postgres"_s
                                                                     : u"master"_s;
    db::Connection server;
    server.open(maintenance);
    db::Dataset query(&server);
    if (settings.backend == db::Backend::Postgres) {
        query.setSql(u"select count(*) from pg_database where datname = :name"_s);
        query.setParam(u"name"_s, settings.database);
        query.open();
        if (query.field(0).asInteger() == 0) {
            // Quoted, so the database keeps the exact name the program connects to.
            server.exec(u"create database "_s + quotedPostgresName(settings.database));
        }
    } else {
        query.setSql(u"select count(*) from sys.databases where name = :name"_s);
        query.setParam(u"name"_s, settings.database);
        query.open();
        if (query.field(0).asInteger() == 0)
            server.exec(u"create database "_s + quotedSqlServerName(settings.database));
    }
}

QString demoSummary(const DemoSummary& s)
{
    return u"示例数据：设备类型 %1 个，部门 %2 个，代码 %3 条，设备 %4 台，配件 %5 条，"
           "文档 %6 份，图片 %7 张，维修记录 %8 条，调拨记录 %9 条，验收记录 %10 条。"_s
        .arg(s.categories)
        .arg(s.departments)
        .arg(s.codes)
        .arg(s.equipment)
        .arg(s.accessories)
        .arg(s.documents)
        .arg(s.pictures)
        .arg(s.repairs)
        .arg(s.transfers)
        .arg(s.acceptances);
}

} // namespace

std::optional<db::ConnectionSettings> settingsFromConfig(const app::IniFile& config)
{
    const app::DbConnSettings keys = app::DbConnSettings::read(config);
    if (!db::Dialect::backendFromName(keys.driver))
        return std::nullopt;
    return keys.connectionSettings(QFileInfo(config.path()).absolutePath());
}

void createDatabaseIfMissing(const db::ConnectionSettings& settings)
{
    if (settings.database.trimmed().isEmpty())
        throw db::DbError(u"no database name"_s);
    if (settings.backend == db::Backend::Sqlite) {
        if (!QFileInfo(settings.database).isFile())
            createSqliteFile(settings.database);
        return;
    }
    createServerDatabase(settings);
}

SetupOutcome prepareDatabase(const db::ConnectionSettings& settings, const SetupOptions& options)
{
    const QString name = displayName(settings);
    db::Connection connection;
    try {
        createDatabaseIfMissing(settings);
        connection.open(settings);
        if (data::hasRegisterTables(connection)) {
            if (!options.force) {
                return {Refused, u"数据库 %1 中已有设备管理的数据表，未做任何改动。"
                                 "如需重建（原有数据将全部删除），请加参数 --force 运行。"_s
                                     .arg(name)};
            }
            data::dropSchema(connection);
        }
        data::createSchema(connection);
        data::seedSchema(connection);
        QString message = u"数据库 %1 已建立：%2 张数据表，管理员 admin 的初始密码为空。"_s.arg(
            name, QString::number(data::registerTables().size()));
        if (options.demo) {
            DemoData demo(options.count);
            message += u'\n' + demoSummary(demo.fill(connection));
        }
        return {Done, message};
    } catch (const db::DbError& e) {
        return {Failed, u"数据库 %1 建立失败：%2"_s.arg(name, e.message())};
    }
}

} // namespace dbprep
