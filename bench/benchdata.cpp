#include "benchdata.h"

#include "connection.h"
#include "demodata.h"
#include "schema.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace bench {

QString registerDatabase(const QString& folder, int count)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("register-%1.db").arg(count));
    const QString done = path + QStringLiteral(".complete");
    if (QFileInfo::exists(done))
        return path;
    QFile::remove(path);
    sqlite3* handle = nullptr;
    sqlite3_open(path.toUtf8().constData(), &handle);
    sqlite3_exec(handle, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
    sqlite3_close(handle);

    db::Connection connection;
    db::ConnectionSettings settings;
    settings.database = path;
    connection.open(settings);
    data::createSchema(connection);
    data::seedSchema(connection);
    dbprep::DemoData demo(count);
    demo.setPictureCount(0); // no list reads them, and they dominate the generation time
    demo.fill(connection);
    connection.exec(QStringLiteral("analyze"));
    QFile marker(done);
    marker.open(QIODevice::WriteOnly);
    return path;
}

} // namespace bench
