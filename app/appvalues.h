#pragma once
// The values every window shares for the whole run: the configuration file, the database name,
// the logged-in operator, the automatic-backup mode and the product's names.

#include <QString>

namespace app {

class IniFile;

/// The caption of the main window is ProductName immediately followed by ProductVersion; both
/// keep their trailing blank.
inline const QString ProductName = QStringLiteral("澄朔设备管理软件 ");
inline const QString ProductVersion = QStringLiteral("v2.05(网络版) ");
/// The application's title: the name message boxes and the task bar show.
inline const QString ApplicationTitle = QStringLiteral("澄朔设备管理软件(企业版)");

/// The Database value of Config.ini as read at start-up, kept when the connection fails.
inline QString DatabaseName;
/// The trimmed name of the logged-in operator; empty until the first successful login.
inline QString CurrentOperator;
/// The ibak value of Config.ini as last read or written: 0 none, 1 every start, 2 Mondays,
/// 3 the first day of a month.
inline int AutoBackupMode = 0;

/// Config.ini in the folder of the running executable, unless SetConfigPath chose another file.
QString ConfigPath();
/// Points ConfigFile at another file (tests); empty text returns to the one beside the program.
void SetConfigPath(const QString& path);
/// The configuration-file object on ConfigPath(); every Part reads and writes Config.ini here.
IniFile& ConfigFile();
/// The folder of ConfigPath(): the program's folder, where a SQLite database file lies too.
QString ProgramFolder();

} // namespace app
