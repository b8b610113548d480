#pragma once

#include "connection.h"

#include <QString>
#include <QStringList>

namespace app {

class IniFile;

// The DBconn keys of Config.ini that the program connects with. The password is held in clear
// here and stored only in the encoded form of corva::SavePass.
struct DbConnSettings
{
    // The member values are what a missing key reads as.
    QString driver = QStringLiteral("sqlite");
    QString server = QStringLiteral("(Local)");
    QString database = QStringLiteral("vaVEVezi");
    QString user = QStringLiteral("sa");
    QString password;

    // The drivers the program connects with, in their stored spelling.
    static QStringList drivers();
    // The driver name in its stored spelling, or empty text when it is no known driver.
    static QString normalizedDriver(const QString& name);

    static DbConnSettings read(const IniFile& config);
    bool write(IniFile& config) const;

    /// What the connection opens. A SQLite database is the file `database` in `folder`, ".db"
    /// added when the name has no extension; the other backends take the values as read.
    db::ConnectionSettings connectionSettings(const QString& folder) const;
    static QString sqliteFilePath(const QString& database, const QString& folder);

    friend bool operator==(const DbConnSettings&, const DbConnSettings&) = default;
};


} // namespace app
