#include "dbconnsettings.h"

#include "corva.h"
#include "inifile.h"

#include <QDir>
#include <QFileInfo>


namespace app {

namespace {

QString section()
{
    return QStringLiteral("DBconn");
}

} // namespace

QStringList DbConnSettings::drivers()
{
    return {QStringLiteral("sqlite"), QStringLiteral("postgres"), QStringLiteral("sqlserver")};
}

QString DbConnSettings::normalizedDriver(const QString& name)
{
    const QString wanted = name.trimmed().toLower();
    return drivers().contains(wanted) ? wanted : QString();
}

DbConnSettings DbConnSettings::read(const IniFile& config)
{
    const DbConnSettings defaults;
    DbConnSettings s;
    s.driver = config.readString(section(), QStringLiteral("driver"), defaults.driver);
    s.server = config.readString(section(), QStringLiteral("server"), defaults.server);
    s.database = config.readString(section(), QStringLiteral("Database"), defaults.database);
    s.user = config.readString(section(), QStringLiteral("user"), defaults.user);
    s.password = corva::GetPass(config.readString(section(), QStringLiteral("password")));
    return s;
}

bool DbConnSettings::write(IniFile& config) const
{
    return config.writeString(section(), QStringLiteral("driver"), driver)
           && config.writeString(section(), QStringLiteral("server"), server)
           && config.writeString(section(), QStringLiteral("Database"), database)
           && config.writeString(section(), QStringLiteral("user"), user)
           && config.writeString(section(), QStringLiteral("password"), corva::SavePass(password));
}

db::ConnectionSettings DbConnSettings::connectionSettings(const QString& folder) const
{
    db::ConnectionSettings c;
    c.backend = db::Dialect::backendFromName(driver).value_or(db::Backend::Sqlite);
    c.server = server;
    c.database = c.backend == db::Backend::Sqlite ? sqliteFilePath(database, folder) : database;
    c.user = user;
    c.password = password;
    return c;
}

QString DbConnSettings::sqliteFilePath(const QString& database, const QString& folder)
{
    QString name = database.trimmed();
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".db");
    return QDir::cleanPath(QDir(folder).absoluteFilePath(name));
}

} // namespace app
